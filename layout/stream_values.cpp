#include "layout/stream_values.h"

#include "layout/layout_format.h"
#include "platform/cp1252.h"

#include <QIODevice>
#include <QtEndian>

#include <cmath>
#include <cstring>

namespace layout {

namespace {

QByteArray encoded(const QString& text) {
    const std::string bytes = platform::ToCp1252(text);
    return QByteArray(bytes.data(), qsizetype(bytes.size()));
}

QString decoded(const QByteArray& bytes) {
    return platform::FromCp1252(std::string_view(bytes.constData(), size_t(bytes.size())));
}

[[noreturn]] void readError() {
    throw LayoutError(QStringLiteral("Stream read error"));
}

[[noreturn]] void invalidValue() {
    throw LayoutError(QStringLiteral("Invalid property value"));
}

// Lists inside lists deeper than this are taken for damage, not for a layout.
constexpr int MaxListDepth = 32;

} // namespace

void StreamWriter::Int32(qint32 value) {
    char bytes[4];
    qToLittleEndian(value, bytes);
    data_.append(bytes, 4);
}

void StreamWriter::ShortText(const QString& text) {
    const QByteArray bytes = encoded(text).left(255);
    Byte(quint8(bytes.size()));
    Raw(bytes);
}

void StreamWriter::Integer(qint64 value) {
    if (value >= -128 && value <= 127) {
        Tag(ValueTag::Int8);
        Byte(quint8(qint8(value)));
    } else if (value >= -32768 && value <= 32767) {
        Tag(ValueTag::Int16);
        char bytes[2];
        qToLittleEndian(qint16(value), bytes);
        data_.append(bytes, 2);
    } else {
        Tag(ValueTag::Int32);
        Int32(qint32(value));
    }
}

void StreamWriter::Text(const QString& text) {
    const QByteArray bytes = encoded(text);
    if (bytes.size() < 256) {
        Tag(ValueTag::String);
        Byte(quint8(bytes.size()));
    } else {
        Tag(ValueTag::LongString);
        Int32(qint32(bytes.size()));
    }
    Raw(bytes);
}

void StreamWriter::Identifier(const QString& name) {
    Tag(ValueTag::Identifier);
    ShortText(name);
}

void StreamWriter::Binary(const QByteArray& bytes) {
    Tag(ValueTag::Binary);
    Int32(qint32(bytes.size()));
    Raw(bytes);
}

void StreamWriter::Set(const QStringList& elements) {
    Tag(ValueTag::Set);
    for (const QString& element : elements)
        ShortText(element);
    Byte(0);
}

quint8 StreamReader::Byte() {
    char byte = 0;
    if (!in_.getChar(&byte))
        readError();
    return quint8(byte);
}

quint8 StreamReader::PeekByte() {
    char byte = 0;
    if (in_.peek(&byte, 1) != 1)
        readError();
    return quint8(byte);
}

QByteArray StreamReader::Bytes(qint64 count) {
    if (count < 0)
        readError();
    // Read in pieces, so that a damaged length cannot ask for more memory than the data holds.
    QByteArray bytes;
    while (bytes.size() < count) {
        const QByteArray piece = in_.read(std::min<qint64>(count - bytes.size(), 1 << 16));
        if (piece.isEmpty())
            readError();
        bytes.append(piece);
    }
    return bytes;
}

qint32 StreamReader::Int32() {
    return qFromLittleEndian<qint32>(Bytes(4).constData());
}

QString StreamReader::ShortText() {
    return decoded(Bytes(Byte()));
}

StreamValue StreamReader::Value() {
    return value(0);
}

StreamValue StreamReader::value(int depth) {
    StreamValue v;
    const quint8 tag = Byte();
    if (tag > quint8(ValueTag::Nil))
        invalidValue();
    v.tag = ValueTag(tag);
    switch (v.tag) {
    case ValueTag::End:
    case ValueTag::False:
    case ValueTag::True:
    case ValueTag::Nil:
        break;
    case ValueTag::List:
        if (depth >= MaxListDepth)
            invalidValue();
        while (PeekByte() != 0)
            v.list << value(depth + 1);
        Byte();
        break;
    case ValueTag::Int8:
        v.integer = qint8(Byte());
        break;
    case ValueTag::Int16:
        v.integer = qFromLittleEndian<qint16>(Bytes(2).constData());
        break;
    case ValueTag::Int32:
        v.integer = Int32();
        break;
    case ValueTag::Extended:
        v.real = ExtendedToDouble(Bytes(10));
        break;
    case ValueTag::String:
        v.text = decoded(Bytes(Byte()));
        break;
    case ValueTag::Identifier:
        v.text = ShortText();
        break;
    case ValueTag::Binary:
        v.bytes = Bytes(quint32(Int32()));
        break;
    case ValueTag::Set:
        for (QString element = ShortText(); !element.isEmpty(); element = ShortText())
            v.elements << element;
        break;
    case ValueTag::LongString:
        v.text = decoded(Bytes(quint32(Int32())));
        break;
    }
    return v;
}

double ExtendedToDouble(const QByteArray& tenBytes) {
    const quint64 mantissa = qFromLittleEndian<quint64>(tenBytes.constData());
    const quint16 top = qFromLittleEndian<quint16>(tenBytes.constData() + 8);
    const bool negative = top & 0x8000;
    const int exponent = top & 0x7FFF;
    double value = 0;
    if (exponent == 0x7FFF)
        value = (mantissa << 1) ? std::nan("") : HUGE_VAL;
    else if (mantissa != 0)
        value = std::ldexp(double(mantissa), (exponent == 0 ? 1 : exponent) - 16383 - 63);
    return negative ? -value : value;
}

QByteArray DoubleToExtended(double value) {
    quint64 mantissa = 0;
    int exponent = 0;
    const bool negative = std::signbit(value);
    value = std::fabs(value);
    if (std::isnan(value)) {
        exponent = 0x7FFF;
        mantissa = 0xC000000000000000ULL;
    } else if (std::isinf(value)) {
        exponent = 0x7FFF;
        mantissa = 0x8000000000000000ULL;
    } else if (value != 0) {
        int power = 0;
        const double fraction = std::frexp(value, &power); // value = fraction x 2^power
        mantissa = quint64(std::ldexp(fraction, 64));
        exponent = power - 1 + 16383;
    }
    QByteArray bytes(10, '\0');
    qToLittleEndian(mantissa, bytes.data());
    qToLittleEndian(quint16(exponent | (negative ? 0x8000 : 0)), bytes.data() + 8);
    return bytes;
}

} // namespace layout

#pragma once

// The values of a layout stream: each is a tag byte and its payload. Integers are
// little-endian; a short text is a length byte and up to 255 bytes; texts are Windows-1252.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class QIODevice;

namespace layout {

enum class ValueTag : quint8 {
    End = 0x00,
    List = 0x01,
    Int8 = 0x02,
    Int16 = 0x03,
    Int32 = 0x04,
    Extended = 0x05,
    String = 0x06,
    Identifier = 0x07,
    False = 0x08,
    True = 0x09,
    Binary = 0x0A,
    Set = 0x0B,
    LongString = 0x0C,
    Nil = 0x0D,
};

// Builds a stream in memory, so that a device sees it in one write.
class StreamWriter {
public:
    void Byte(quint8 byte) { data_.append(char(byte)); }
    void Raw(const QByteArray& bytes) { data_.append(bytes); }
    void Int32(qint32 value);
    // A name or identifier: cut to 255 bytes.
    void ShortText(const QString& text);
    // The smallest integer tag that holds the value.
    void Integer(qint64 value);
    // 0x06 below 256 bytes, else 0x0C.
    void Text(const QString& text);
    void Identifier(const QString& name);
    void Boolean(bool value) { Tag(value ? ValueTag::True : ValueTag::False); }
    void Binary(const QByteArray& bytes);
    // The elements as identifiers, ended by an empty one.
    void Set(const QStringList& elements);
    void Tag(ValueTag tag) { Byte(quint8(tag)); }

    const QByteArray& Data() const { return data_; }

private:
    QByteArray data_;
};

// One value read: its tag and what its payload holds.
struct StreamValue {
    ValueTag tag = ValueTag::Nil;
    qint64 integer = 0;      // the integer tags
    double real = 0;         // Extended
    QString text;            // the texts and Identifier
    QByteArray bytes;        // Binary
    QStringList elements;    // Set
    QList<StreamValue> list; // List

    bool IsInteger() const {
        return tag == ValueTag::Int8 || tag == ValueTag::Int16 || tag == ValueTag::Int32;
    }
    bool IsText() const { return tag == ValueTag::String || tag == ValueTag::LongString; }
};

// Reads a stream from a device. The end of the data throws LayoutError "Stream read error";
// a tag that is no value throws "Invalid property value".
class StreamReader {
public:
    explicit StreamReader(QIODevice& in) : in_(in) {}

    quint8 Byte();
    quint8 PeekByte();
    QByteArray Bytes(qint64 count);
    qint32 Int32();
    QString ShortText();
    StreamValue Value();

private:
    StreamValue value(int depth);

    QIODevice& in_;
};

// An 80-bit extended precision real as a double, and back.
double ExtendedToDouble(const QByteArray& tenBytes);
QByteArray DoubleToExtended(double value);

} // namespace layout

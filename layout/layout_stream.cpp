#include "layout/layout_stream.h"

#include "layout/display_resolution.h"
#include "layout/graphic_control.h"
#include "layout/layout_font.h"
#include "layout/layout_picture.h"
#include "layout/pen_brush.h"
#include "layout/stored_values.h"

#include <QIODevice>
#include <QMetaEnum>
#include <QMetaProperty>

#include <cmath>

namespace layout {

namespace {

const QByteArray Signature = QByteArrayLiteral("TPF0");

[[noreturn]] void invalidValue() {
    throw LayoutError(QStringLiteral("Invalid property value"));
}

[[noreturn]] void invalidFormat() {
    throw LayoutError(QStringLiteral("Invalid stream format"));
}

// The display's pixels per inch as a whole number, the unit of Font.Height.
int pixelsPerInch() {
    return std::max(1, int(std::lround(DisplayPixelsPerInch())));
}

const QStringList& pitchNames() {
    static const QStringList names = {"fpDefault", "fpFixed", "fpVariable"}; // TLayoutFont::Pitch
    return names;
}

// --- writing -------------------------------------------------------------------------------

void writeColour(StreamWriter& w, int color) {
    if (const QString name = ColorIdentifier(color); !name.isEmpty())
        w.Identifier(name);
    else
        w.Integer(color);
}

void writeFont(StreamWriter& w, const TLayoutFont& font) {
    w.ShortText(QStringLiteral("Font.Color"));
    writeColour(w, font.color);
    w.ShortText(QStringLiteral("Font.Height"));
    w.Integer(-std::lround(font.size * double(pixelsPerInch()) / 72.0));
    if (!font.name.isEmpty()) {
        w.ShortText(QStringLiteral("Font.Name"));
        w.Text(font.name);
    }
    if (font.pitch != TLayoutFont::Default) {
        w.ShortText(QStringLiteral("Font.Pitch"));
        w.Identifier(pitchNames().value(font.pitch));
    }
    QStringList style;
    if (font.bold)
        style << QStringLiteral("fsBold");
    if (font.italic)
        style << QStringLiteral("fsItalic");
    if (font.underline)
        style << QStringLiteral("fsUnderline");
    if (font.strikeOut)
        style << QStringLiteral("fsStrikeOut");
    w.ShortText(QStringLiteral("Font.Style"));
    w.Set(style);
}

template <typename E> QString enumName(E value) {
    return QString::fromLatin1(QMetaEnum::fromType<E>().valueToKey(int(value)));
}

void writePen(StreamWriter& w, const TLayoutPen& pen) {
    const TLayoutPen fallback;
    if (pen.color != fallback.color) {
        w.ShortText(QStringLiteral("Pen.Color"));
        writeColour(w, pen.color);
    }
    if (pen.mode != fallback.mode) {
        w.ShortText(QStringLiteral("Pen.Mode"));
        w.Identifier(enumName(pen.mode));
    }
    if (pen.style != fallback.style) {
        w.ShortText(QStringLiteral("Pen.Style"));
        w.Identifier(enumName(pen.style));
    }
    if (pen.width != fallback.width) {
        w.ShortText(QStringLiteral("Pen.Width"));
        w.Integer(pen.width);
    }
}

void writeBrush(StreamWriter& w, const TLayoutBrush& brush) {
    const TLayoutBrush fallback;
    if (brush.color != fallback.color) {
        w.ShortText(QStringLiteral("Brush.Color"));
        writeColour(w, brush.color);
    }
    if (brush.style != fallback.style) {
        w.ShortText(QStringLiteral("Brush.Style"));
        w.Identifier(enumName(brush.style));
    }
}

void writeProperty(StreamWriter& w, const QString& className, const QMetaProperty& property,
                   const QVariant& value) {
    const QString name = QString::fromLatin1(property.name());
    const std::optional<QVariant> fallback = DefaultOfProperty(className, name);
    const auto entry = [&] { w.ShortText(name); };
    if (value.metaType() == QMetaType::fromType<TLayoutFont>()) {
        writeFont(w, value.value<TLayoutFont>());
    } else if (value.metaType() == QMetaType::fromType<TLayoutPen>()) {
        writePen(w, value.value<TLayoutPen>());
    } else if (value.metaType() == QMetaType::fromType<TLayoutBrush>()) {
        writeBrush(w, value.value<TLayoutBrush>());
    } else if (value.metaType() == QMetaType::fromType<TLayoutPicture>()) {
        const TLayoutPicture picture = value.value<TLayoutPicture>();
        if (picture.IsEmpty())
            return;
        w.ShortText(name + QStringLiteral(".Data"));
        w.Binary(picture.StreamData());
    } else if (value.metaType() == QMetaType::fromType<QStringList>()) {
        const QStringList lines = value.toStringList();
        if (lines.isEmpty())
            return;
        w.ShortText(name + QStringLiteral(".Strings"));
        w.Tag(ValueTag::List);
        for (const QString& line : lines)
            w.Text(line);
        w.Byte(0);
    } else if (value.metaType() == QMetaType::fromType<QString>()) {
        if (value.toString().isEmpty())
            return;
        entry();
        w.Text(value.toString());
    } else if (value.metaType() == QMetaType::fromType<bool>()) {
        if (fallback && fallback->toBool() == value.toBool())
            return;
        entry();
        w.Boolean(value.toBool());
    } else if (property.isEnumType()) {
        const QString key = QString::fromLatin1(property.enumerator().valueToKey(value.toInt()));
        if (fallback && fallback->toString() == key)
            return;
        entry();
        w.Identifier(key);
    } else if (value.metaType() == QMetaType::fromType<int>()) {
        const int number = value.toInt();
        if (fallback && fallback->toInt() == number)
            return;
        entry();
        const StoredKind kind = KindOfProperty(name);
        if (kind == StoredKind::Colour)
            writeColour(w, number);
        else if (const QString cursor = CursorIdentifier(number);
                 kind == StoredKind::Cursor && !cursor.isEmpty())
            w.Identifier(cursor);
        else
            w.Integer(number);
    } else {
        throw LayoutError(
            QStringLiteral("Cannot store the property %1 of %2").arg(name, className));
    }
}

// --- reading -------------------------------------------------------------------------------

int integerOf(const StreamValue& v) {
    if (!v.IsInteger())
        invalidValue();
    return int(v.integer);
}

QString textOf(const StreamValue& v) {
    if (!v.IsText())
        invalidValue();
    return v.text;
}

bool booleanOf(const StreamValue& v) {
    if (v.tag != ValueTag::True && v.tag != ValueTag::False)
        invalidValue();
    return v.tag == ValueTag::True;
}

int colourOf(const StreamValue& v) {
    if (v.tag == ValueTag::Identifier) {
        const std::optional<int> color = ColorFromIdentifier(v.text);
        if (!color)
            invalidValue();
        return *color;
    }
    return integerOf(v);
}

[[noreturn]] void noProperty(const QString& name) {
    throw LayoutError(QStringLiteral("Property %1 does not exist").arg(name));
}

void setFontField(TLayoutFont& font, const QString& field, const StreamValue& v) {
    if (field == QLatin1String("Color")) {
        font.color = colourOf(v);
    } else if (field == QLatin1String("Height")) {
        // Negative: the character height; positive: the cell height, taken alike.
        const qint64 height = std::abs(qint64(integerOf(v)));
        font.size = std::max(1, int(std::lround(height * 72.0 / pixelsPerInch())));
    } else if (field == QLatin1String("Size")) {
        font.size = std::max(1, std::abs(integerOf(v)));
    } else if (field == QLatin1String("Name")) {
        font.name = textOf(v);
    } else if (field == QLatin1String("Pitch")) {
        if (v.tag != ValueTag::Identifier || !pitchNames().contains(v.text))
            invalidValue();
        font.pitch = TLayoutFont::Pitch(pitchNames().indexOf(v.text));
    } else if (field == QLatin1String("Style")) {
        if (v.tag != ValueTag::Set)
            invalidValue();
        font.bold = font.italic = font.underline = font.strikeOut = false;
        for (const QString& element : v.elements) {
            if (element == QLatin1String("fsBold"))
                font.bold = true;
            else if (element == QLatin1String("fsItalic"))
                font.italic = true;
            else if (element == QLatin1String("fsUnderline"))
                font.underline = true;
            else if (element == QLatin1String("fsStrikeOut"))
                font.strikeOut = true;
            else
                invalidValue();
        }
    } else {
        noProperty(QStringLiteral("Font.") + field);
    }
}

template <typename E> E enumOf(const StreamValue& v) {
    bool ok = false;
    const int value = v.tag == ValueTag::Identifier
                          ? QMetaEnum::fromType<E>().keyToValue(v.text.toLatin1().constData(), &ok)
                          : -1;
    if (!ok)
        invalidValue();
    return E(value);
}

void setPenField(TLayoutPen& pen, const QString& field, const StreamValue& v) {
    if (field == QLatin1String("Color"))
        pen.color = colourOf(v);
    else if (field == QLatin1String("Mode"))
        pen.mode = enumOf<TPenMode>(v);
    else if (field == QLatin1String("Style"))
        pen.style = enumOf<TPenStyle>(v);
    else if (field == QLatin1String("Width"))
        pen.width = integerOf(v);
    else
        noProperty(QStringLiteral("Pen.") + field);
}

void setBrushField(TLayoutBrush& brush, const QString& field, const StreamValue& v) {
    if (field == QLatin1String("Color"))
        brush.color = colourOf(v);
    else if (field == QLatin1String("Style"))
        brush.style = enumOf<TBrushStyle>(v);
    else
        noProperty(QStringLiteral("Brush.") + field);
}

// The object's stored property of that name; objectName and the like are not stored ones.
QMetaProperty storedProperty(const QObject& object, const QString& name) {
    const QMetaObject* meta = object.metaObject();
    const int index = meta->indexOfProperty(name.toLatin1().constData());
    if (index < TGGraphicControl::staticMetaObject.propertyOffset())
        return {};
    return meta->property(index);
}

void applyNested(TGGraphicControl& object, const QString& name, const StreamValue& v) {
    const int dot = name.indexOf('.');
    const QString head = name.left(dot);
    const QString field = name.mid(dot + 1);
    const QMetaProperty property = storedProperty(object, head);
    if (!property.isValid())
        noProperty(name);
    if (property.metaType() == QMetaType::fromType<TLayoutFont>()) {
        TLayoutFont font = property.read(&object).value<TLayoutFont>();
        setFontField(font, field, v);
        property.write(&object, QVariant::fromValue(font));
    } else if (property.metaType() == QMetaType::fromType<TLayoutPen>()) {
        TLayoutPen pen = property.read(&object).value<TLayoutPen>();
        setPenField(pen, field, v);
        property.write(&object, QVariant::fromValue(pen));
    } else if (property.metaType() == QMetaType::fromType<TLayoutPicture>() &&
               field == QLatin1String("Data")) {
        const std::optional<TLayoutPicture> picture =
            v.tag == ValueTag::Binary ? TLayoutPicture::FromStreamData(v.bytes) : std::nullopt;
        if (!picture)
            invalidValue();
        property.write(&object, QVariant::fromValue(*picture));
    } else if (property.metaType() == QMetaType::fromType<TLayoutBrush>()) {
        TLayoutBrush brush = property.read(&object).value<TLayoutBrush>();
        setBrushField(brush, field, v);
        property.write(&object, QVariant::fromValue(brush));
    } else if (property.metaType() == QMetaType::fromType<QStringList>() &&
               field == QLatin1String("Strings")) {
        if (v.tag != ValueTag::List)
            invalidValue();
        QStringList lines;
        for (const StreamValue& item : v.list)
            lines << textOf(item);
        property.write(&object, lines);
    } else {
        noProperty(name);
    }
}

void applyProperty(TGGraphicControl& object, const QString& name, const StreamValue& v) {
    if (name.contains('.'))
        return applyNested(object, name, v);
    const QMetaProperty property = storedProperty(object, name);
    if (!property.isValid()) {
        // Event handlers named in a stream are not ours to attach.
        if (name.startsWith(QLatin1String("On")) &&
            (v.tag == ValueTag::Identifier || v.tag == ValueTag::Nil))
            return;
        noProperty(name);
    }
    QVariant value;
    if (property.isEnumType()) {
        if (v.tag != ValueTag::Identifier)
            invalidValue();
        bool ok = false;
        const int number = property.enumerator().keyToValue(v.text.toLatin1().constData(), &ok);
        if (!ok)
            invalidValue();
        value = number;
    } else if (property.metaType() == QMetaType::fromType<bool>()) {
        value = booleanOf(v);
    } else if (property.metaType() == QMetaType::fromType<QString>()) {
        value = textOf(v);
    } else if (property.metaType() == QMetaType::fromType<int>()) {
        const StoredKind kind = KindOfProperty(name);
        if (kind == StoredKind::Colour) {
            value = colourOf(v);
        } else if (kind == StoredKind::Cursor && v.tag == ValueTag::Identifier) {
            const std::optional<int> cursor = CursorFromIdentifier(v.text);
            if (!cursor)
                invalidValue();
            value = *cursor;
        } else {
            value = integerOf(v);
        }
    } else {
        noProperty(name);
    }
    if (!property.write(&object, value))
        invalidValue();
}

// Reads one list, handing each record's parts to the callbacks: `begin` with the class and
// stored name returns the name errors are told under; `property` takes each entry.
void readList(QIODevice& in, const std::function<QString(const QString&, const QString&)>& begin,
              const std::function<void(const QString&, const StreamValue&)>& property,
              const std::function<void()>& end) {
    StreamReader reader(in);
    if (reader.Byte() != quint8(ValueTag::List))
        invalidValue();
    while (reader.PeekByte() != 0) {
        if (reader.Bytes(4) != Signature)
            invalidFormat();
        // A prefix: bit 0 inherited, bit 1 a child position follows.
        if (const quint8 prefix = reader.PeekByte(); (prefix & 0xF0) == 0xF0) {
            reader.Byte();
            if (prefix > 0xF3)
                invalidFormat();
            if ((prefix & 0x02) && !reader.Value().IsInteger())
                invalidValue();
        }
        const QString className = reader.ShortText();
        const QString storedName = reader.ShortText();
        const QString name = begin(className, storedName);
        while (reader.PeekByte() != 0) {
            const QString entry = reader.ShortText();
            try {
                property(entry, reader.Value());
            } catch (const LayoutError& error) {
                throw LayoutError(
                    QStringLiteral("Error reading %1.%2: %3").arg(name, entry, error.message()));
            }
        }
        reader.Byte();
        if (reader.Byte() != 0) // layout objects own no objects
            invalidFormat();
        end();
    }
    reader.Byte();
}

} // namespace

QByteArray TLayoutStream::Record(const TGGraphicControl& object) {
    StreamWriter w;
    w.Raw(Signature);
    const QString className = object.ClassName();
    w.ShortText(className);
    w.ShortText(object.Name());
    const QMetaObject* meta = object.metaObject();
    for (int i = TGGraphicControl::staticMetaObject.propertyOffset(); i < meta->propertyCount();
         ++i)
        writeProperty(w, className, meta->property(i), meta->property(i).read(&object));
    w.Byte(0);
    w.Byte(0);
    return w.Data();
}

void TLayoutStream::WriteList(QIODevice& out, const QList<const TGGraphicControl*>& objects) {
    QByteArray bytes(1, char(ValueTag::List));
    for (const TGGraphicControl* object : objects)
        bytes += Record(*object);
    bytes += char(0);
    if (out.write(bytes) != bytes.size())
        throw LayoutError(QStringLiteral("Stream write error"));
}

void TLayoutStream::ReadList(QIODevice& in, const ObjectMaker& make, const ObjectDone& done) {
    TGGraphicControl* current = nullptr;
    readList(
        in,
        [&](const QString& className, const QString& storedName) {
            current = &make(className, storedName);
            return current->Name();
        },
        [&](const QString& name, const StreamValue& v) { applyProperty(*current, name, v); },
        [&] { done(*current); });
}

void ReadStoredList(QIODevice& in, const std::function<void(const StoredRecord&)>& take) {
    StoredRecord record;
    readList(
        in,
        [&](const QString& className, const QString& storedName) {
            record = {className, storedName, {}};
            return storedName;
        },
        [&](const QString& name, const StreamValue& v) {
            record.properties.append({name, v});
        },
        [&] { take(record); });
}

QString ValueText(const StreamValue& v) {
    switch (v.tag) {
    case ValueTag::End:
        return QStringLiteral("<end>");
    case ValueTag::List: {
        QStringList items;
        for (const StreamValue& item : v.list)
            items << ValueText(item);
        return QStringLiteral("(") + items.join(QStringLiteral(", ")) + QStringLiteral(")");
    }
    case ValueTag::Int8:
    case ValueTag::Int16:
    case ValueTag::Int32:
        return QString::number(v.integer);
    case ValueTag::Extended:
        return QString::number(v.real, 'g', 17);
    case ValueTag::String:
    case ValueTag::LongString:
        return QLatin1Char('\'') + QString(v.text).replace('\'', QStringLiteral("''")) +
               QLatin1Char('\'');
    case ValueTag::Identifier:
        return v.text;
    case ValueTag::False:
        return QStringLiteral("False");
    case ValueTag::True:
        return QStringLiteral("True");
    case ValueTag::Binary:
        return QStringLiteral("{%1 bytes}").arg(v.bytes.size());
    case ValueTag::Set:
        return QStringLiteral("[") + v.elements.join(',') + QStringLiteral("]");
    case ValueTag::Nil:
        return QStringLiteral("nil");
    }
    return {};
}

} // namespace layout

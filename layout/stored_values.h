#pragma once

// What a layout stores beside plain numbers: the named colours and cursors, and which value of
// a property is its default, left out of the stream.
#include <QString>
#include <QVariant>

#include <optional>

namespace layout {

// The name of a stored colour number ("clWhite", "clBtnFace"), or empty when it has none.
QString ColorIdentifier(int color);
std::optional<int> ColorFromIdentifier(const QString& name);
// The name of a stored cursor number ("crDefault"), or empty when it has none.
QString CursorIdentifier(int cursor);
std::optional<int> CursorFromIdentifier(const QString& name);

// How a property is written.
enum class StoredKind { Plain, Colour, Cursor };
StoredKind KindOfProperty(const QString& property);

// A property's default for a class, as the property reads; nothing when it has no default and
// is written every time. Texts have none here: they are left out when empty.
std::optional<QVariant> DefaultOfProperty(const QString& className, const QString& property);

} // namespace layout

#pragma once

#include <QString>

class QObject;

namespace layout {

// `base` followed by the first number from `first` to 1000 that names no object in the owner's
// tree; empty when every one is taken.
QString UniqueComponentName(const QObject& owner, const QString& base, int first);

} // namespace layout

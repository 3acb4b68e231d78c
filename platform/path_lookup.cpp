#include "platform/path_lookup.h"

#include "platform/program_dir.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace platform {

namespace {

// The entry of `folder` whose name equals `component` ignoring case; the given spelling when
// there is none. An exact match wins over a case-insensitive one.
QString matchComponent(const QString& folder, const QString& component) {
    if (component == "." || component == ".." || QFileInfo::exists(folder + component))
        return component;
    const QStringList entries = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden |
                                                       QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        if (entry.compare(component, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return component;
}

bool isAbsolute(const QString& name) {
    return name.startsWith('/') || name.startsWith('\\');
}

} // namespace

QString RealPathIn(const QString& folder, const QString& name) {
    const bool trailing = name.endsWith('/') || name.endsWith('\\');
    static const QRegularExpression separators("[\\\\/]");
    const QStringList components = name.split(separators, Qt::SkipEmptyParts);

    QString path = isAbsolute(name) ? QStringLiteral("/") : WithFinalSeparator(folder);
    for (qsizetype i = 0; i < components.size(); ++i) {
        path += matchComponent(path, components[i]);
        if (i + 1 < components.size() || trailing)
            path += '/';
    }
    return path;
}

QString RealPath(const QString& name) {
    return RealPathIn(ProgramDir(), name);
}

bool PathExists(const QString& name) {
    return QFileInfo::exists(RealPath(name));
}

} // namespace platform

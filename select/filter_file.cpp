#include "select/filter_file.h"

#include "platform/cp1252.h"

#include <QFile>
#include <QSaveFile>

#include <string>
#include <string_view>

namespace selection {

namespace {

// The file name after the last separator of either kind.
QString lastComponent(const QString& path) {
    const qsizetype slash = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return path.mid(slash + 1);
}

QString extensionOf(const QString& path) {
    const QString name = lastComponent(path);
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QString() : name.mid(dot);
}

} // namespace

FilterFileResult SaveFilterTo(const QString& path, const QueryVars& vars) {
    std::string bytes;
    for (const QString& value : vars.values) {
        if (value.contains(u'\r') || value.contains(u'\n'))
            return {false, "A criterion holds a line break and cannot be saved to " + path};
        bytes += platform::ToCp1252(value);
        bytes += "\r\n";
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {false, "Unable to write " + path + ": " + file.errorString()};
    if (file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size())) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return {false, "Unable to write " + path + ": " + reason};
    }
    if (!file.commit())
        return {false, "Unable to write " + path + ": " + file.errorString()};
    return {true, {}};
}

FilterFileResult RestoreFilterFrom(const QString& path, QueryVars& vars) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {false, "Unable to open " + path + ": " + file.errorString()};
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {false, "Unable to read " + path + ": " + file.errorString()};

    const std::string_view bytes(content.constData(), std::size_t(content.size()));
    std::size_t at = 0;
    for (std::size_t line = 0; line < CriterionCount; ++line) {
        if (at >= bytes.size())
            return {false, path + " is not a complete filter file: it has " +
                               QString::number(line) + " of its " +
                               QString::number(CriterionCount) + " lines"};
        std::size_t end = bytes.find_first_of("\r\n", at);
        if (end == std::string_view::npos)
            end = bytes.size();
        vars.values[line] = platform::FromCp1252(bytes.substr(at, end - at));
        at = end;
        if (at < bytes.size() && bytes[at] == '\r')
            ++at;
        if (at < bytes.size() && bytes[at] == '\n')
            ++at;
    }
    return {true, {}};
}

FilterName FilterNameForSave(const QString& chosen) {
    if (extensionOf(chosen).toUpper() == FilterExtension)
        return {chosen, {}};
    if (lastComponent(chosen).contains(u'.'))
        return {{}, SaveExtensionError};
    return {chosen + FilterExtension, {}};
}

FilterName FilterNameForRestore(const QString& chosen) {
    if (extensionOf(chosen).toUpper() == FilterExtension)
        return {chosen, {}};
    return {{}, RestoreExtensionError};
}

QString OverwriteQuestion(const QString& path) {
    return path + " already exists.\r\nDo you want to overwrite it?";
}

} // namespace selection

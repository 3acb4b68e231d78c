#pragma once

#include "platform/dialogs.h"

namespace platform {

// The real dialogs: QMessageBox, QFileDialog, QFontDialog, QColorDialog, QInputDialog.
class QtDialogs : public Dialogs {
public:
    MessageAnswer message(const MessageRequest& request) override;
    std::optional<QString> fileName(const FileRequest& request) override;
    std::optional<QFont> font(const QFont& initial) override;
    std::optional<QColor> colour(const QColor& initial) override;
    std::optional<QString> input(const InputRequest& request) override;
    int exec(QDialog& dialog) override;
};

// "DBF Files|*.dbf|All|*.*" becomes the Qt filter "DBF Files (*.dbf);;All (*.*)".
QString QtFileFilter(const QString& pairs);

} // namespace platform

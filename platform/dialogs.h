#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include <optional>

class QDialog;
class QWidget;

namespace platform {

enum class MessageIcon { None, Information, Question, Warning, Error };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// Dialog results of the program's own modal dialogs.
inline constexpr int ResultOk = 1;
inline constexpr int ResultCancel = 2;

struct MessageRequest {
    QString text;
    QString caption;
    MessageIcon icon = MessageIcon::Information;
    MessageButtons buttons = MessageButtons::Ok;
    MessageAnswer defaultButton = MessageAnswer::Ok;
    // The toolkit's own message dialog (long passes ask "Cancel operation?" with it): caption
    // "Information", buttons "&Yes" and "&No".
    bool toolkitDialog = false;
};

struct FileRequest {
    bool save = false;
    QString caption;
    QString folder;
    QString filter;           // "DBF Files|*.dbf" style, pairs separated by '|'
    QString defaultExtension; // without the dot
    QString proposedName;
    bool mustExist = false;
    bool askOverwrite = false;
};

struct InputRequest {
    QString caption;
    QString prompt;
    QString initial;
};

// Every modal dialog and message box of the program passes through one object of this kind,
// so that tests can answer them headless and check their exact texts.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual MessageAnswer message(const MessageRequest& request) = 0;
    virtual std::optional<QString> fileName(const FileRequest& request) = 0;
    virtual std::optional<QFont> font(const QFont& initial) = 0;
    virtual std::optional<QColor> colour(const QColor& initial) = 0;
    virtual std::optional<QString> input(const InputRequest& request) = 0;
    // Runs one of the program's own dialogs modally and returns its result.
    virtual int exec(QDialog& dialog) = 0;
};

// The seam in use: the Qt dialogs unless a test installed another one.
Dialogs& CurrentDialogs();
// Installs a seam (not owned); nullptr restores the Qt dialogs.
void InstallDialogs(Dialogs* dialogs);

// Information box captioned "Information" with the information icon and OK.
void ShowInfo(const QString& text);
// Error box captioned "Error" with the error icon and OK.
void ShowError(const QString& text);
// Yes/No question with the question icon; true for Yes.
bool ConfirmYesNo(const QString& text, const QString& caption);
// The same with No as the default button.
bool ConfirmYesNoDefaultNo(const QString& text, const QString& caption);
// The toolkit's message dialog asking a question of a long pass; true for "&Yes".
bool ConfirmToolkitYesNo(const QString& text);

// The window dialogs are centred over; set once by the main window.
void SetMainForm(QWidget* mainForm);
QWidget* MainForm();
// Places a dialog centred over the main window before it is shown.
void CenterOnMainForm(QWidget& dialog);

} // namespace platform

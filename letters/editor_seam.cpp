#include "letters/editor_seam.h"

#include "controls/rich_edit.h"
#include "platform/dialogs.h"
#include "platform/program_dir.h"

#include <QDialog>

namespace letters {

void UseProgramDialogs(controls::TRichEdit& editor) {
    editor.hooks.exec = [](QDialog& dialog) {
        platform::CenterOnMainForm(dialog);
        return platform::CurrentDialogs().exec(dialog);
    };
    editor.hooks.fileName = [](bool save, const QString& caption) {
        platform::FileRequest request;
        request.save = save;
        request.caption = caption;
        request.folder = platform::ProgramDir();
        request.filter = "Rich Text Files|*.rtf|All Files|*.*";
        request.defaultExtension = "rtf";
        request.mustExist = !save;
        request.askOverwrite = save;
        return platform::CurrentDialogs().fileName(request);
    };
    editor.hooks.colour = [](const QColor& initial) {
        return platform::CurrentDialogs().colour(initial);
    };
    editor.hooks.inform = [](const QString& text) { platform::ShowInfo(text); };
}

} // namespace letters

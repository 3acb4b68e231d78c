#pragma once

namespace controls {
class TRichEdit;
}

namespace letters {

// Routes the editor's dialogs, file names, colours and messages through the program's dialog
// seam, so that they are centred, recorded and answerable like every other dialog.
void UseProgramDialogs(controls::TRichEdit& editor);

} // namespace letters

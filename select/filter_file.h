#pragma once

#include "select/query_criteria.h"

#include <QString>

namespace selection {

// A filter file is plain Windows-1252 text: the 18 criteria exactly as typed, one a line, each
// line ended by CR LF, in box order (last name ... comment 2). The flag "tagged only" is not
// stored.

struct FilterFileResult {
    bool ok = false;
    QString error; // what went wrong, for a message box; empty when ok

    explicit operator bool() const { return ok; }
};

// Writes the criteria. The file is replaced only once all of it is written, so a failed write
// (a full disk, a folder that cannot be written) leaves an existing file as it was and answers
// an error. A criterion holding a line break cannot be stored and is an error too.
FilterFileResult SaveFilterTo(const QString& path, const QueryVars& vars);

// Reads the 18 lines into the criteria in order; the flag keeps its value. Lines may end in
// CR LF, LF or CR; lines after the 18th are ignored. A file with fewer lines is an error: the
// criteria read before stay, and the caller must not apply the filter.
FilterFileResult RestoreFilterFrom(const QString& path, QueryVars& vars);

// Names the user chose in the file dialogs.
inline constexpr char FilterExtension[] = ".FLT";
inline constexpr char SaveExtensionError[] = "Must have a .FLT extension";
inline constexpr char RestoreExtensionError[] = "Must be a Filter (.FLT) file";

struct FilterName {
    QString path;  // the name to use when error is empty
    QString error; // SaveExtensionError or RestoreExtensionError
};

// For saving: a name whose extension (in any case) is .FLT is taken as it is; a file name
// without any "." gets ".FLT" appended; any other is refused. Only the last component of the
// path counts, so a folder with a dot in its name does not matter.
FilterName FilterNameForSave(const QString& chosen);
// For restoring: only a name with the extension .FLT (in any case) is taken.
FilterName FilterNameForRestore(const QString& chosen);

// The question before an existing file is overwritten (No is the default answer).
QString OverwriteQuestion(const QString& path);
inline constexpr char OverwriteCaption[] = "Warning!";

} // namespace selection

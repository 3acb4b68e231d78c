#pragma once

// "Load Image File (BMP/WMF)": a picture file chosen by folder and name, shown in a preview,
// with the choice of stretching it over the object or sizing the object to it.
#include "layout/dialog_frame.h"
#include "layout/layout_picture.h"

#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;

namespace layout {

class TGImageBrowser : public QDialog {
    Q_OBJECT
public:
    static constexpr int HelpTopic = 40003;
    // The boxes start from the object's settings; the lists from `folder`.
    TGImageBrowser(bool stretch, bool autoSize, const QString& folder, QWidget* parent = nullptr);

    QComboBox* DriveBox = nullptr;
    QListWidget* DirectoryList = nullptr;
    QListWidget* FileList = nullptr;
    QLabel* Preview = nullptr;
    QCheckBox* StretchBox = nullptr;
    QCheckBox* AutoSizeBox = nullptr;
    DialogButtons buttons;

    QString Folder() const { return folder_; }
    // Shows a folder's subfolders and picture files.
    void SetFolder(const QString& folder);
    // The file chosen in the list, with its path; empty when none is.
    QString ChosenFile() const;

private:
    void showFile();

    QString folder_;
};

// The picture files the browser lists.
bool IsPictureFileName(const QString& name);

} // namespace layout

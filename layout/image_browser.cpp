#include "layout/image_browser.h"

#include "platform/dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace layout {

bool IsPictureFileName(const QString& name) {
    static const QStringList endings = {".bmp", ".wmf", ".png", ".jpg", ".jpeg"};
    for (const QString& ending : endings)
        if (name.endsWith(ending, Qt::CaseInsensitive))
            return true;
    return false;
}

TGImageBrowser::TGImageBrowser(bool stretch, bool autoSize, const QString& folder, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Load Image File (BMP/WMF)"));
    auto* layout = new QVBoxLayout(this);
    auto* columns = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    DriveBox = new QComboBox(this);
    for (const QFileInfo& drive : QDir::drives())
        DriveBox->addItem(QDir::toNativeSeparators(drive.absoluteFilePath()));
    DirectoryList = new QListWidget(this);
    FileList = new QListWidget(this);
    left->addWidget(DriveBox);
    left->addWidget(DirectoryList);
    left->addWidget(FileList);
    columns->addLayout(left);
    auto* right = new QVBoxLayout;
    Preview = new QLabel(this);
    Preview->setMinimumSize(160, 160);
    Preview->setAlignment(Qt::AlignCenter);
    Preview->setAutoFillBackground(true);
    Preview->setStyleSheet(QStringLiteral("background: white"));
    right->addWidget(Preview, 1);
    StretchBox = new QCheckBox(QStringLiteral("Stretch"), this);
    StretchBox->setToolTip(QStringLiteral("Stretch image to max display size"));
    StretchBox->setChecked(stretch);
    AutoSizeBox = new QCheckBox(QStringLiteral("AutoSize"), this);
    AutoSizeBox->setToolTip(QStringLiteral("AutoSize TImage"));
    AutoSizeBox->setChecked(autoSize && !stretch);
    right->addWidget(StretchBox);
    right->addWidget(AutoSizeBox);
    columns->addLayout(right);
    layout->addLayout(columns);
    buttons = AddDialogButtons(*this, *layout, HelpTopic);

    // The two options exclude each other.
    connect(StretchBox, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            AutoSizeBox->setChecked(false);
    });
    connect(AutoSizeBox, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            StretchBox->setChecked(false);
    });
    connect(DriveBox, &QComboBox::textActivated, this, &TGImageBrowser::SetFolder);
    connect(DirectoryList, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        SetFolder(QDir(folder_).absoluteFilePath(item->text()));
    });
    connect(FileList, &QListWidget::currentRowChanged, this, &TGImageBrowser::showFile);
    SetFolder(folder);
}

void TGImageBrowser::SetFolder(const QString& folder) {
    QDir dir(folder);
    if (!dir.exists())
        return;
    folder_ = dir.canonicalPath();
    DirectoryList->clear();
    if (!dir.isRoot())
        DirectoryList->addItem(QStringLiteral(".."));
    DirectoryList->addItems(dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name));
    FileList->clear();
    for (const QString& name : dir.entryList(QDir::Files, QDir::Name | QDir::IgnoreCase))
        if (IsPictureFileName(name))
            FileList->addItem(name);
    Preview->clear();
}

QString TGImageBrowser::ChosenFile() const {
    const QListWidgetItem* item = FileList->currentItem();
    return item ? QDir(folder_).absoluteFilePath(item->text()) : QString();
}

void TGImageBrowser::showFile() {
    Preview->clear();
    const QString file = ChosenFile();
    if (file.isEmpty())
        return;
    const auto picture = TLayoutPicture::FromFile(file);
    if (!picture) {
        platform::ShowError(QStringLiteral("Error loading file!"));
        return;
    }
    if (!picture->image.isNull())
        Preview->setPixmap(QPixmap::fromImage(
            picture->image.scaled(Preview->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    else
        Preview->setText(QStringLiteral("(metafile)"));
}

} // namespace layout

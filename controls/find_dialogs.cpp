#include "controls/find_dialogs.h"

#include "controls/rich_edit.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QVBoxLayout>

namespace controls {

TFindDialog::TFindDialog(TRichEdit& editor, bool withReplace)
    : QDialog(editor.window()), editor_(editor) {
    setObjectName(withReplace ? "ReplaceDialog" : "FindDialog");
    setWindowTitle(withReplace ? tr("Replace") : tr("Find"));
    auto* fields = new QFormLayout;
    FindText = new QLineEdit(this);
    FindText->setObjectName("FindText");
    FindText->setWhatsThis(tr("The text to look for; letter case counts only when asked to"));
    fields->addRow(tr("Fi&nd what:"), FindText);
    if (withReplace) {
        ReplaceText = new QLineEdit(this);
        ReplaceText->setObjectName("ReplaceText");
        ReplaceText->setWhatsThis(tr("The text that takes the place of the text found"));
        fields->addRow(tr("Re&place with:"), ReplaceText);
    }
    MatchCase = new QCheckBox(tr("Match &case"), this);
    MatchCase->setObjectName("MatchCase");
    MatchCase->setWhatsThis(tr("Find only text in the same letter case"));
    fields->addRow(MatchCase);

    auto* buttons = new QVBoxLayout;
    FindNextButton = new QPushButton(tr("&Find Next"), this);
    FindNextButton->setObjectName("FindNextButton");
    FindNextButton->setDefault(true);
    FindNextButton->setWhatsThis(tr("Selects the next place the text appears"));
    buttons->addWidget(FindNextButton);
    connect(FindNextButton, &QPushButton::clicked, this, &TFindDialog::findNext);
    if (withReplace) {
        ReplaceButton = new QPushButton(tr("&Replace"), this);
        ReplaceButton->setObjectName("ReplaceButton");
        ReplaceButton->setWhatsThis(tr("Replaces the text selected and finds the next"));
        buttons->addWidget(ReplaceButton);
        connect(ReplaceButton, &QPushButton::clicked, this, &TFindDialog::replace);
        ReplaceAllButton = new QPushButton(tr("Replace &All"), this);
        ReplaceAllButton->setObjectName("ReplaceAllButton");
        ReplaceAllButton->setWhatsThis(tr("Replaces the text everywhere in the letter"));
        buttons->addWidget(ReplaceAllButton);
        connect(ReplaceAllButton, &QPushButton::clicked, this, &TFindDialog::replaceAll);
    }
    CancelButton = new QPushButton(tr("Cancel"), this);
    CancelButton->setObjectName("CancelButton");
    CancelButton->setWhatsThis(tr("Closes this dialog"));
    buttons->addWidget(CancelButton);
    buttons->addStretch();
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addLayout(buttons);
    connect(FindText, &QLineEdit::textChanged, this, &TFindDialog::updateButtons);
    const QString selected = editor.textCursor().selectedText();
    if (!selected.isEmpty() && !selected.contains(QChar::ParagraphSeparator))
        FindText->setText(selected);
    updateButtons();
}

void TFindDialog::updateButtons() {
    const bool any = !FindText->text().isEmpty();
    FindNextButton->setEnabled(any);
    if (ReplaceButton)
        ReplaceButton->setEnabled(any);
    if (ReplaceAllButton)
        ReplaceAllButton->setEnabled(any);
}

void TFindDialog::findNext() {
    editor_.FindNextText(FindText->text(), MatchCase->isChecked());
}

void TFindDialog::replace() {
    const QString wanted = FindText->text();
    const QString selected = editor_.textCursor().selectedText();
    const Qt::CaseSensitivity sensitivity =
        MatchCase->isChecked() ? Qt::CaseSensitive : Qt::CaseInsensitive;
    if (selected.compare(wanted, sensitivity) == 0)
        editor_.ReplaceSelection(ReplaceText->text());
    editor_.FindNextText(wanted, MatchCase->isChecked());
}

void TFindDialog::replaceAll() {
    editor_.ReplaceAll(FindText->text(), ReplaceText->text(), MatchCase->isChecked());
}

} // namespace controls

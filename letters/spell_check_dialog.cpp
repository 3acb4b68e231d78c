#include "letters/spell_check_dialog.h"

#include "controls/rich_edit.h"
#include "letters/spell_words.h"
#include "platform/dialogs.h"
#include "platform/help.h"
#include "platform/whats_this.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

namespace letters {

namespace {

QLineEdit* boldEdit(QWidget* parent, const char* name, const QColor& colour) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    QFont font = edit->font();
    font.setBold(true);
    edit->setFont(font);
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Text, colour);
    edit->setPalette(palette);
    return edit;
}

} // namespace

TSpellCheckDialog::TSpellCheckDialog(controls::TRichEdit& editor, QWidget* parent)
    : QDialog(parent), editor_(editor) {
    setObjectName("SpellCheckDialog");
    setWindowTitle("Spell Check");
    auto* grid = new QGridLayout(this);

    Word = boldEdit(this, "Word", Qt::red);
    ReplaceAs = boldEdit(this, "ReplaceAs", Qt::blue);
    WordList = new QListWidget(this);
    WordList->setObjectName("WordList");
    QFont bold = WordList->font();
    bold.setBold(true);
    WordList->setFont(bold);
    auto label = [&](const char* text, QWidget* buddy, int row) {
        auto* l = new QLabel(text, this);
        l->setBuddy(buddy);
        grid->addWidget(l, row, 0, Qt::AlignTop);
        grid->addWidget(buddy, row, 1);
    };
    label("Possible spelling error", Word, 0);
    label("Replace with", ReplaceAs, 1);
    label("Possible replacements", WordList, 2);

    auto* buttons = new QVBoxLayout;
    auto button = [&](const char* text, const char* name) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        buttons->addWidget(b);
        return b;
    };
    Replace = button("Replace ", "Replace");
    Replace->setDefault(true);
    Cancelbutton = button("Cancel", "Cancelbutton");
    GetNextWordButton = button("&Skip Word", "GetNextWordButton");
    Addbutton = button("&Add Word", "Addbutton");
    Helpbutton = button("Help", "Helpbutton");
    buttons->addStretch();
    buttons->addWidget(platform::NewWhatsThisButton(this), 0, Qt::AlignRight);
    grid->addLayout(buttons, 0, 2, 3, 1);

    platform::GiveWhatsThisTexts(
        *this,
        {{"Word", "The word that no dictionary holds, selected in the letter; "
                  "\"Add Word\" adds it as it stands here"},
         {"ReplaceAs", "What \"Replace\" puts in the word's place; leave it empty to delete "
                       "the word"},
         {"WordList", "Words like the one not found, the likeliest first; click one to put it "
                      "under \"Replace with\""},
         {"Replace", "Replaces the word in the letter and goes on to the next word not found"},
         {"Cancelbutton", "Ends the spell check; the changes made stay in the letter"},
         {"GetNextWordButton", "Leaves the word as it is and goes on"},
         {"Addbutton", "Adds the word to your own dictionary, so that it is known from now on"},
         {"Helpbutton", "Explains the spell check"}});

    connect(Replace, &QPushButton::clicked, this, &TSpellCheckDialog::replaceClick);
    connect(Cancelbutton, &QPushButton::clicked, this, &QDialog::reject);
    connect(GetNextWordButton, &QPushButton::clicked, this, &TSpellCheckDialog::checkNextWord);
    connect(Addbutton, &QPushButton::clicked, this, &TSpellCheckDialog::addClick);
    connect(Helpbutton, &QPushButton::clicked, this, [] { platform::ShowHelpTopic(HelpTopic); });
    // A click on an entry only proposes it; nothing is replaced before "Replace ".
    connect(WordList, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { ReplaceAs->setText(item->text()); });
    connect(WordList, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { ReplaceAs->setText(item->text()); });

    userDictionary_ = OpenProgramDictionaries(engine_, true);
    Addbutton->setEnabled(userDictionary_ != -1);
    adjustSize();
}

TSpellCheckDialog::~TSpellCheckDialog() {
    closeDictionaries();
}

void TSpellCheckDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!firstActivation_)
        return;
    firstActivation_ = false;
    // The walk starts once the dialog is on the screen.
    QTimer::singleShot(0, this, [this] {
        editor_.StartWordWalk();
        checkNextWord();
    });
}

void TSpellCheckDialog::checkNextWord() {
    const QString word = NextUnknownWord(editor_, engine_);
    if (!word.isEmpty()) {
        WordList->clear();
        for (const SpellProposal& proposal : Suggestions(engine_, word))
            WordList->addItem(proposal.text);
        editor_.SelectLastWord();
    }
    Word->setText(word);
    ReplaceAs->setText(WordList->count() > 0 ? WordList->item(0)->text() : word);
    if (word.isEmpty())
        finish();
}

void TSpellCheckDialog::replaceClick() {
    editor_.ReplaceSelection(ReplaceAs->text());
    checkNextWord();
    editor_.viewport()->update();
}

void TSpellCheckDialog::addClick() {
    if (!Word->text().isEmpty())
        AddUserWord(engine_, Word->text(), userDictionary_);
    checkNextWord();
}

void TSpellCheckDialog::finish() {
    hide();
    platform::ShowInfo("Spell check complete");
    // Closed after the handler that reached the end has returned.
    QMetaObject::invokeMethod(
        this, [this] { done(platform::ResultOk); }, Qt::QueuedConnection);
}

void TSpellCheckDialog::closeDictionaries() {
    if (closed_)
        return;
    closed_ = true;
    editor_.SetSelection(0, 0);
    engine_.CloseDictionaries();
}

void TSpellCheckDialog::done(int result) {
    closeDictionaries();
    QDialog::done(result);
}

void RunSpellCheck(controls::TRichEdit& editor) {
    TSpellCheckDialog dialog(editor, editor.window());
    platform::CenterOnMainForm(dialog);
    platform::CurrentDialogs().exec(dialog);
}

} // namespace letters

#include "layout/symbol_dialog.h"

#include "platform/dialogs.h"
#include "platform/whats_this.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace layout {

namespace {
constexpr int FirstCode = 32, LastCode = 255;
}

int SymbolColumns(int points) {
    if (points >= 6 && points <= 10)
        return 14;
    if (points >= 11 && points <= 20)
        return 10;
    if (points >= 21 && points <= 30)
        return 8;
    if (points >= 31 && points <= 40)
        return 6;
    if (points >= 41 && points <= 50)
        return 4;
    if (points >= 51 && points <= 60)
        return 3;
    if (points >= 61 && points <= 72)
        return 2;
    return 1;
}

QString SymbolFontCaption(const TLayoutFont& font) {
    QString caption = font.name + QLatin1Char(' ') + QString::number(font.size) + "pt ";
    if (font.italic)
        caption += QStringLiteral("Italic ");
    else if (font.bold)
        caption += QStringLiteral("Bold ");
    return caption;
}

TGetSymbol::TGetSymbol(const TLayoutFont& font, const QString& caption, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("GetSymbol"));
    setWindowTitle(QStringLiteral("Symbol Selector"));
    auto* layout = new QVBoxLayout(this);
    FontButton = new QPushButton(this);
    FontButton->setObjectName(QStringLiteral("FontButton"));
    platform::GiveWhatsThis(*FontButton, QStringLiteral("Choose the symbol font."));
    layout->addWidget(FontButton);
    SymbolList = new QTableWidget(this);
    SymbolList->setObjectName(QStringLiteral("SymbolList"));
    platform::GiveWhatsThis(*SymbolList, QStringLiteral("The characters of the font; the object "
                                                        "shows the one chosen."));
    SymbolList->horizontalHeader()->hide();
    SymbolList->verticalHeader()->hide();
    SymbolList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SymbolList->setSelectionMode(QAbstractItemView::SingleSelection);
    SymbolList->setMinimumSize(420, 300);
    layout->addWidget(SymbolList);
    SelectedChar = new QLabel(this);
    SelectedChar->setObjectName(QStringLiteral("SelectedChar"));
    SelectedChar->hide();
    layout->addWidget(SelectedChar);
    buttons = AddDialogButtons(*this, *layout, HelpTopic);
    connect(FontButton, &QPushButton::clicked, this, &TGetSymbol::chooseFont);

    ShowFont(font);
    const int entry = caption.isEmpty() ? 0 : caption.front().unicode() - FirstCode;
    if (entry >= 0 && entry <= LastCode - FirstCode) {
        const int columns = SymbolList->columnCount();
        SymbolList->setCurrentCell(entry / columns, entry % columns);
    }
}

void TGetSymbol::ShowFont(const TLayoutFont& font) {
    const int chosen = [this] {
        const int columns = std::max(1, SymbolList->columnCount());
        return SymbolList->currentRow() < 0
                   ? -1
                   : SymbolList->currentRow() * columns + SymbolList->currentColumn();
    }();
    font_ = font;
    SelectedChar->setFont(font.ToQFont());
    FontButton->setText(SymbolFontCaption(font));
    const int columns = SymbolColumns(font.size);
    const int count = LastCode - FirstCode + 1;
    SymbolList->clear();
    SymbolList->setColumnCount(columns);
    SymbolList->setRowCount((count + columns - 1) / columns);
    SymbolList->setFont(font.ToQFont());
    for (int i = 0; i < count; ++i) {
        auto* item = new QTableWidgetItem(QString(QChar(FirstCode + i)));
        item->setTextAlignment(Qt::AlignCenter);
        item->setForeground(ColorOf(font.color));
        SymbolList->setItem(i / columns, i % columns, item);
    }
    SymbolList->resizeColumnsToContents();
    SymbolList->resizeRowsToContents();
    if (chosen >= 0)
        SymbolList->setCurrentCell(chosen / columns, chosen % columns);
}

QString TGetSymbol::ChosenCharacter() const {
    const int row = SymbolList->currentRow();
    if (row < 0)
        return {};
    const int entry = row * SymbolList->columnCount() + SymbolList->currentColumn();
    return entry <= LastCode - FirstCode ? QString(QChar(FirstCode + entry)) : QString();
}

void TGetSymbol::chooseFont() {
    if (const auto chosen = platform::CurrentDialogs().font(font_.ToQFont()))
        ShowFont(TLayoutFont::From(*chosen, font_.color));
}

} // namespace layout

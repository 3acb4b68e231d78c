// The property dialogs of the text and multi-line objects, reached as the user reaches them:
// by placing an object with a tool or from the object's menu; the dialogs are filled in as a
// user fills them in.
#include "address_table.h"
#include "surface_fixture.h"

#include "layout/effects_dialog.h"
#include "layout/multiline_labels.h"
#include "layout/symbol_dialog.h"
#include "layout/text_dialogs.h"
#include "layout/text_labels.h"

#include "platform/help.h"
#include "platform/scripted_dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QtTest>

using namespace layout;
using testing_layout::AddressTable;
using testing_layout::SurfaceFixture;

namespace {

void typeInto(QWidget* box, const QString& text) {
    QTest::mouseClick(box, Qt::LeftButton);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, text);
}

void clickBox(QAbstractButton* box) {
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

void chooseIn(QComboBox* combo, const QString& entry) {
    combo->setCurrentIndex(combo->findText(entry));
}

// Answers the next dialog of class T: `fill` works in it as the user would, then "Ok".
template <typename T>
void answerOk(platform::ScriptedDialogs& dialogs, std::function<void(T&)> fill) {
    dialogs.answerDialog([fill](QDialog& dialog) {
        auto& d = dynamic_cast<T&>(dialog);
        d.show();
        fill(d);
        QTest::mouseClick(d.buttons.OKButton, Qt::LeftButton);
        return d.result();
    });
}

} // namespace

class ObjectDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void symbolGridAndFontButton() {
        const std::pair<int, int> columns[] = {{5, 1},   {6, 14}, {10, 14}, {11, 10},
                                               {20, 10}, {21, 8}, {30, 8},  {40, 6},
                                               {50, 4},  {60, 3}, {72, 2},  {73, 1}};
        for (const auto& [points, count] : columns)
            QCOMPARE(SymbolColumns(points), count);
        TLayoutFont font;
        font.name = QStringLiteral("Wingdings");
        font.size = 24;
        QCOMPARE(SymbolFontCaption(font), QStringLiteral("Wingdings 24pt "));
        font.bold = font.italic = true;
        QCOMPARE(SymbolFontCaption(font), QStringLiteral("Wingdings 24pt Italic "));
        QCOMPARE(StoredLength(QStringLiteral("ab\ncd")), 6);
    }

    void placingAFixedTextAsksForItsText() {
        SurfaceFixture f;
        QVERIFY(f.ready);
        platform::ScriptedDialogs dialogs;
        int helpTopic = 0;
        platform::SetHelpHandler([&](platform::HelpRequest, int topic) { helpTopic = topic; });
        answerOk<TGetLabelText>(dialogs, [&](TGetLabelText& d) {
            QCOMPARE(d.LabelText->text(), QStringLiteral("<text>"));
            QTest::mouseClick(d.buttons.HelpButton, Qt::LeftButton);
            typeInto(d.LabelText, QStringLiteral("Hello there"));
        });
        f.surface->SetPanelState(TLPanelState::psLabel);
        auto* label = qobject_cast<TGPLabel*>(f.surface->CreateObjectAt(Edges::Of({20, 20, 5, 5})));
        platform::SetHelpHandler({});
        QVERIFY(label);
        QCOMPARE(dialogs.dialogTitles(), QStringList({"Text"}));
        QCOMPARE(helpTopic, TGetLabelText::HelpTopic);
        QCOMPARE(label->Caption(), QStringLiteral("Hello there"));
        QVERIFY(label->Width() >= TextWidthOf(label->Font().ScreenFont(1.0f), "Hello there"));
    }

    void effectsShowOnTheSampleAndGoToTheLabelOnOk() {
        SurfaceFixture f;
        QVERIFY(f.ready);
        platform::ScriptedDialogs dialogs;
        auto* label = new TGPLabel;
        label->Loaded();
        f.surface->AddObject(label, Edges::Of({50, 50, 120, 19}));
        bool live = false, startedFromLabel = false;
        answerOk<TGFont3DEffects>(dialogs, [&](TGFont3DEffects& d) {
            startedFromLabel = d.ShadowDirection->currentText() == "Lower Right" &&
                               d.HighlightDirection->currentText() == "Upper Left" &&
                               d.HighLightColorCombo->currentText() == "Aqua";
            chooseIn(d.ShadowDirection, QStringLiteral("Left"));
            chooseIn(d.ShadowDepth, QStringLiteral("5"));
            chooseIn(d.FontColorCombo, QStringLiteral("Red"));
            live = d.Sample().DirectionShadow() == sdLeft && d.Sample().DepthShadow() == 5 &&
                   d.Sample().Font().color == 0x0000FF;
        });
        f.click({60, 55}, Qt::RightButton);
        const int changes = f.changes;
        QVERIFY(f.pick(QStringLiteral("3D Effects")));
        QVERIFY(startedFromLabel);
        QVERIFY(live);
        QCOMPARE(label->DirectionShadow(), sdLeft);
        QCOMPARE(label->DepthShadow(), 5);
        QCOMPARE(label->Font().color, 0x0000FF);
        QVERIFY(f.changes > changes);
        label->LayoutText();
        QCOMPARE(label->CurrentLayout().rects[MainText].left, 5);
    }

    void fieldDialogListsTheTextFieldsAndBindsTheChosenOne() {
        SurfaceFixture f;
        QVERIFY(f.ready);
        platform::ScriptedDialogs dialogs;
        AddressTable addresses(f.home.path());
        QVERIFY(addresses.opened);
        addresses.add({{"CITY", "Springfield"}});
        f.surface->SetRecordSource(&addresses.table);
        QStringList listed;
        answerOk<TFieldSelectionBox>(dialogs, [&](TFieldSelectionBox& d) {
            for (int i = 0; i < d.ListOfFields->count(); ++i)
                listed << d.ListOfFields->item(i)->text();
            QCOMPARE(d.ListOfFields->currentRow(), 0);
            d.ListOfFields->setCurrentRow(int(listed.indexOf(QStringLiteral("City"))));
        });
        f.surface->SetPanelState(TLPanelState::psDataLabel);
        auto* label =
            qobject_cast<TGPDLabel*>(f.surface->CreateObjectAt(Edges::Of({20, 20, 5, 5})));
        QVERIFY(label);
        QCOMPARE(listed.first(), QStringLiteral("Last Name"));
        QVERIFY(listed.contains(QStringLiteral("Zip/Postal Code")));
        QVERIFY(!listed.contains(QStringLiteral("Deleted"))); // not a text field
        QVERIFY(!listed.contains(QStringLiteral("MEMO")));
        QCOMPARE(label->DataFieldName(), QStringLiteral("CITY"));
        QCOMPARE(label->Caption(), QStringLiteral("Springfield"));
    }

    void counterSettings() {
        SurfaceFixture f;
        QVERIFY(f.ready);
        platform::ScriptedDialogs dialogs;
        auto* counter = new TGCounterLabel;
        counter->Loaded();
        f.surface->AddObject(counter, Edges::Of({20, 20, 100, 19}));
        answerOk<TGetCounter>(dialogs, [](TGetCounter& d) {
            QCOMPARE(d.RepeatFor->maximum(), 999);
            typeInto(d.TextBefore, QStringLiteral("No. "));
            typeInto(d.StartingNumber, QStringLiteral("1000"));
            typeInto(d.RepeatFor, QStringLiteral("3"));
        });
        f.click({30, 25}, Qt::RightButton);
        QVERIFY(f.pick(QStringLiteral("Counter Settings")));
        QCOMPARE(counter->Caption(), QStringLiteral("No. 1000"));
        QCOMPARE(counter->CurrentNumber(), 1000);
        QCOMPARE(counter->RepeatEach(), 3);
        QVERIFY(counter->Width() > 10);
    }

    void symbolChosenFromTheGrid() {
        SurfaceFixture f;
        QVERIFY(f.ready);
        platform::ScriptedDialogs dialogs;
        int preselected = -1;
        answerOk<TGetSymbol>(dialogs, [&](TGetSymbol& d) {
            QCOMPARE(d.SymbolList->columnCount(), 8); // 24 points
            preselected = d.SymbolList->currentRow() * 8 + d.SymbolList->currentColumn();
            const int entry = 'J' - 32;
            QTest::mouseClick(
                d.SymbolList->viewport(), Qt::LeftButton, {},
                d.SymbolList->visualItemRect(d.SymbolList->item(entry / 8, entry % 8)).center());
        });
        f.surface->SetPanelState(TLPanelState::psSymbolLabel);
        auto* symbol =
            qobject_cast<TGSymbolLabel*>(f.surface->CreateObjectAt(Edges::Of({20, 20, 5, 5})));
        QVERIFY(symbol);
        QCOMPARE(preselected, '[' - 32);
        QCOMPARE(symbol->Caption(), QStringLiteral("J"));
        const QFontMetrics glyph(symbol->Font().ScreenFont(1.0f));
        QCOMPARE(symbol->Width(), int(1.1 * glyph.horizontalAdvance(QStringLiteral("J"))));
    }

    void multiLineEditorKeepsItsLimit() {
        SurfaceFixture f;
        QVERIFY(f.ready);
        platform::ScriptedDialogs dialogs;
        answerOk<TMultiLineTextEditor>(dialogs, [](TMultiLineTextEditor& d) {
            QTest::mouseClick(d.Memo->viewport(), Qt::LeftButton);
            QTest::keyClicks(d.Memo, QStringLiteral("First line"));
            QTest::keyClick(d.Memo, Qt::Key_Return);
            QTest::keyClicks(d.Memo, QString(300, QLatin1Char('x')));
        });
        f.surface->SetPanelState(TLPanelState::psMultiLineLabel);
        auto* text =
            qobject_cast<TGMultiLineLabel*>(f.surface->CreateObjectAt(Edges::Of({20, 20, 5, 5})));
        QVERIFY(text);
        QCOMPARE(text->Items().size(), 2);
        QCOMPARE(text->Items().first(), QStringLiteral("First line"));
        QCOMPARE(StoredLength(text->Items().join('\n')), 254);
        QCOMPARE(text->Height(), 2 * text->LinePitch()); // sized to its lines
    }

    void addressLayoutChoices() {
        SurfaceFixture f;
        QVERIFY(f.ready);
        platform::ScriptedDialogs dialogs;
        AddressTable addresses(f.home.path());
        QVERIFY(addresses.opened);
        addresses.add({{"LNAME", "Lee"},
                       {"CITY", "Springfield"},
                       {"STATE", "IL"},
                       {"ZIP", "62701"},
                       {"COUNTRY", "USA"}});
        f.surface->SetRecordSource(&addresses.table);
        f.surface->SetPanelState(TLPanelState::psAddressLabel);
        auto* block = qobject_cast<TGDMultiLineAddressLabel*>(
            f.surface->CreateObjectAt(Edges::Of({20, 20, 190, 33})));
        QVERIFY(block);
        f.surface->SetPanelState(TLPanelState::psPointing);
        bool placesFollowZip = false;
        answerOk<TAddressLayout>(dialogs, [&](TAddressLayout& d) {
            QVERIFY(d.rAfterState->isChecked());
            clickBox(d.ZipCheck);
            placesFollowZip = !d.rAftercountry->isEnabled();
            clickBox(d.ZipCheck);
            placesFollowZip = placesFollowZip && d.rAftercountry->isEnabled();
            clickBox(d.rAftercountry);
            clickBox(d.Uppercasecheck);
        });
        f.click({30, 25}, Qt::RightButton);
        QVERIFY(f.pick(QStringLiteral("Address Layout")));
        QVERIFY(placesFollowZip);
        QCOMPARE(block->ZipOptions(), zoAfterCountry);
        QCOMPARE(block->Items(), QStringList({"LEE ", "SPRINGFIELD IL", "USA 62701"}));
    }
};

QTEST_MAIN(ObjectDialogsTest)
#include "object_dialogs_test.moc"

#include "select/address_query_form.h"

#include "platform/help.h"
#include "platform/system_services.h"
#include "tests/platform/whats_this_probe.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using selection::Criterion;
using selection::QueryVars;
using selection::TAddressQueryForm;
using selection::TestAnswer;

namespace {

constexpr int NamePanelHeight = 58;

// Label and box of each field as a main window might place them: the name fields in rows of
// the name panel, the others in two columns of the address page.
selection::FilterFormLayout mainWindowLayout() {
    selection::FilterFormLayout layout;
    for (std::size_t i = 0; i < selection::CriterionCount; ++i) {
        const bool name = selection::Criteria()[i].onNamePanel;
        const int row = name ? int(i) / 2 : int(i - 4) % 7;
        const int x = name ? 4 + int(i % 2) * 244 : (i < 11 ? 4 : 312);
        const int y = 5 + row * 26;
        layout.entries[i] = {QString("Caption %1").arg(i), QRect(x, y, 60, 21),
                             QRect(x + 64, y, 180, 21)};
    }
    layout.namePanelHeight = NamePanelHeight;
    layout.tagged = QRect(378, 190, 100, 21);
    return layout;
}

} // namespace

class AddressQueryFormTest : public QObject {
    Q_OBJECT

    QList<QueryVars> tested;
    TestAnswer answer;
    int beeps = 0;

    std::unique_ptr<TAddressQueryForm> makeForm() {
        return std::make_unique<TAddressQueryForm>(mainWindowLayout(), [this](const QueryVars& v) {
            tested << v;
            return answer;
        });
    }
    template <typename T> static T* child(QWidget& form, const char* name) {
        T* widget = form.findChild<T*>(name);
        if (!widget)
            qFatal("no child %s", name);
        return widget;
    }

private slots:
    void init() {
        tested.clear();
        answer = {};
        beeps = 0;
        platform::SetBeepHandler([this] { ++beeps; });
    }
    void cleanup() { platform::SetBeepHandler(nullptr); }

    void mirrorsTheMainWindowForm() {
        auto form = makeForm();
        QCOMPARE(form->windowTitle(), QString("Address Filter"));
        const selection::FilterFormLayout layout = mainWindowLayout();
        for (std::size_t i = 0; i < selection::CriterionCount; ++i) {
            const selection::CriterionInfo& info = selection::Criteria()[i];
            auto* box = child<QLineEdit>(*form, info.boxName);
            const int down = 25 + (info.onNamePanel ? 0 : NamePanelHeight);
            QCOMPARE(box->geometry(), layout.entries[i].box.translated(0, down));
            QCOMPARE(form->box(Criterion(i)), box);
            bool found = false;
            for (QLabel* l : form->findChildren<QLabel*>()) {
                if (l->buddy() == box) {
                    found = true;
                    QCOMPARE(l->text(), layout.entries[i].caption);
                    QCOMPARE(l->geometry(), layout.entries[i].label.translated(0, down));
                }
            }
            QVERIFY2(found, info.boxName);
            QVERIFY(form->rect().contains(box->geometry()));
        }
        auto* tagged = child<QCheckBox>(*form, "qTagged");
        QCOMPARE(tagged->text(), QString("Tagged"));
        QCOMPARE(tagged->geometry(), QRect(378, 190 + 25 + NamePanelHeight, 100, 21));
        for (auto [name, caption] : {std::pair{"qSetFilterButton", "Test"},
                                     {"OkButton", "Ok"},
                                     {"qClearButton", "Clear"},
                                     {"CancelButton", "Cancel"},
                                     {"HelpButton", "Help"}}) {
            auto* button = child<QPushButton>(*form, name);
            QCOMPARE(button->text(), QString(caption));
            QVERIFY(form->rect().contains(button->geometry()));
        }
        QVERIFY(
            child<QLabel>(*form, "HintLabel")->text().startsWith("Hint: to look for only part"));
        QCOMPARE(form->box(Criterion::Date)->toolTip(),
                 QString("Note: enter dates in the form: YYYYMMDD\n"
                         "(i.e. 19970428 for April 28, 1997)"));
    }

    void mirrorEntryFromMainWindowWidgets() {
        QWidget page;
        QLabel label("&City", &page);
        label.setGeometry(4, 60, 80, 21);
        QPushButton date("Date", &page);
        date.setGeometry(50, 164, 38, 21);
        QLineEdit box(&page);
        box.setGeometry(88, 60, 220, 21);
        const selection::MirrorEntry city = selection::MirrorOf(label, box);
        QCOMPARE(city.caption, QString("City"));
        QCOMPARE(city.label, QRect(4, 60, 80, 21));
        QCOMPARE(city.box, QRect(88, 60, 220, 21));
        QCOMPARE(selection::MirrorOf(date, box).caption, QString("Date"));
    }

    void varsGoInAndOut() {
        auto form = makeForm();
        QueryVars vars;
        vars[Criterion::LastName] = "JO;LE";
        vars[Criterion::Comment2] = " two";
        vars.tagged = true;
        form->setVars(vars);
        QCOMPARE(child<QLineEdit>(*form, "quser2")->text(), QString(" two"));
        QVERIFY(form->vars() == vars);
    }

    void testShowsTheCount() {
        auto form = makeForm();
        auto* count = child<QLabel>(*form, "CountLabel");
        QueryVars vars;
        vars[Criterion::Codes] = "$C";
        form->setVars(vars);
        answer = {7, true};
        QTest::mouseClick(child<QPushButton>(*form, "qSetFilterButton"), Qt::LeftButton);
        QCOMPARE(tested.size(), 1);
        QVERIFY(tested[0] == vars);
        QCOMPARE(count->text(), QString("7 matches"));
        answer = {0, true};
        form->qSetFilterButtonClick();
        QCOMPARE(count->text(), QString("0 matches"));
        answer = {12, false};
        form->qSetFilterButtonClick();
        QCOMPARE(count->text(), QString("No filter set"));
    }

    void okClosesOnlyWithMatchesOrWithoutFilter() {
        const struct {
            TestAnswer answer;
            bool accepted;
        } cases[] = {{{3, true}, true}, {{0, false}, true}, {{0, true}, false}};
        for (const auto& c : cases) {
            auto form = makeForm();
            form->show();
            answer = c.answer;
            beeps = 0;
            QTest::mouseClick(child<QPushButton>(*form, "OkButton"), Qt::LeftButton);
            QCOMPARE(form->result() == QDialog::Accepted, c.accepted);
            QCOMPARE(form->isVisible(), !c.accepted);
            QCOMPARE(beeps, c.accepted ? 0 : 1);
        }
        QCOMPARE(tested.size(), 3);
    }

    void clearEmptiesEveryBoxAndTests() {
        auto form = makeForm();
        QueryVars vars;
        for (QString& value : vars.values)
            value = "x";
        vars.tagged = true;
        form->setVars(vars);
        QTest::mouseClick(child<QPushButton>(*form, "qClearButton"), Qt::LeftButton);
        QCOMPARE(tested.size(), 1);
        QVERIFY(tested[0] == QueryVars{});
        QVERIFY(form->vars() == QueryVars{});
        QCOMPARE(child<QLabel>(*form, "CountLabel")->text(), QString("No filter set"));
    }

    void cancelCloses() {
        auto form = makeForm();
        form->show();
        QTest::mouseClick(child<QPushButton>(*form, "CancelButton"), Qt::LeftButton);
        QCOMPARE(form->result(), int(QDialog::Rejected));
        QVERIFY(!form->isVisible());
        QVERIFY(tested.isEmpty());
    }

    void everyControlExplainsItselfAndHelpOpensItsTopic() {
        namespace probe = testing_whats_this;
        auto form = makeForm();
        form->show();
        QList<QWidget*> controls = probe::Controls(*form);
        QCOMPARE(controls.size(), int(selection::CriterionCount) + 1 + 5 + 1); // ?, buttons
        for (QLabel* label : form->findChildren<QLabel*>())
            if (label->buddy() || label->objectName() == "CountLabel")
                controls << label;
        QCOMPARE(probe::Unexplained(controls), QStringList());
        // A box tells what it finds and how to write a criterion; its caption says the same.
        QLineEdit* codes = form->box(Criterion::Codes);
        QVERIFY(probe::RightClick(*codes).contains("$C finds every record"));
        QVERIFY(codes->whatsThis().contains("Separate values with ;"));
        QLabel* codesCaption = child<QLabel>(*form, "qCodesLabel");
        QCOMPARE(probe::RightClick(*codesCaption), codes->whatsThis());
        // The question-mark button, then a click on a control, shows the same text.
        QLineEdit* date = form->box(Criterion::Date);
        QCOMPARE(probe::QuestionMark(*form, *date), date->whatsThis());
        QVERIFY(date->whatsThis().contains("YYYYMMDD"));

        int topic = 0;
        platform::SetHelpHandler([&topic](platform::HelpRequest, int t) { topic = t; });
        QTest::mouseClick(child<QPushButton>(*form, "HelpButton"), Qt::LeftButton);
        platform::SetHelpHandler({});
        QCOMPARE(topic, 1033);
        QVERIFY(form->isVisible());
    }

    void dateNoteShowsWhileTheDateBoxHasFocus() {
        auto form = makeForm();
        form->show();
        QApplication::setActiveWindow(form.get());
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        auto* note = child<QLabel>(*form, "DateNote");
        QCOMPARE(note->text(), QString("(YYYYMMDD)"));
        QVERIFY(!note->isVisible());
        form->box(Criterion::Date)->setFocus();
        QTRY_VERIFY(note->isVisible());
        QVERIFY(note->geometry().top() >= form->box(Criterion::Date)->geometry().bottom());
        form->box(Criterion::Codes)->setFocus();
        QTRY_VERIFY(!note->isVisible());
    }
};

QTEST_MAIN(AddressQueryFormTest)
#include "address_query_form_test.moc"

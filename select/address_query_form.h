#pragma once

#include "select/query_criteria.h"

#include <QDialog>
#include <QRect>
#include <QString>

#include <array>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace selection {

// Where the main window shows the field a criterion mirrors: the caption of its label and the
// geometry of the label and the box inside the name panel or the address page.
struct MirrorEntry {
    QString caption;
    QRect label;
    QRect box;
};

// The entry for a label (a QLabel or a button such as the main window's "Date") and its box:
// the caption without its "&" and both geometries in their parents.
MirrorEntry MirrorOf(const QWidget& label, const QWidget& box);

struct FilterFormLayout {
    std::array<MirrorEntry, CriterionCount> entries; // in box order, see Criteria()
    int namePanelHeight = 0; // added to the top of the fields of the address page
    QRect tagged;            // the main window's "Tagged" check box on the address page;
                             // when empty the check box goes under the lowest box
};

// The answer of "Test": the number of matches and whether a filter is set (QueryString is not
// empty).
struct TestAnswer {
    unsigned count = 0;
    bool filterSet = false;
};

// The filter dialog. Its boxes are laid out as the main window's form, 25 pixels lower. "Test"
// hands the boxes' criteria to the test function, which applies them in the main window and
// answers the count; "Ok" tests and closes when something matched or no filter is set, else
// beeps and stays; "Clear" empties every box and tests; "Cancel" closes; "Help" opens the help.
// Every control explains itself through "What's this?".
class TAddressQueryForm : public QDialog {
    Q_OBJECT
public:
    using TestFunction = std::function<TestAnswer(const QueryVars&)>;

    TAddressQueryForm(const FilterFormLayout& layout, TestFunction test, QWidget* parent = nullptr);

    static constexpr int TopOffset = 25;
    static constexpr int HelpTopic = 1033;
    static constexpr int FormWidth = 610;
    static const QString DateHint;
    static const QString HintText;

    // Fills the boxes and the check box.
    void setVars(const QueryVars& vars);
    // The boxes' texts as typed and the check box.
    QueryVars vars() const;

    QLineEdit* box(Criterion criterion) const { return boxes_[std::size_t(criterion)]; }
    // The answer of the last "Test".
    TestAnswer lastAnswer() const { return answer_; }

    void qSetFilterButtonClick();
    void OkButtonClick();
    void qClearButtonClick();
    void HelpButtonClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build(const FilterFormLayout& layout);

    TestFunction test_;
    TestAnswer answer_;
    std::array<QLineEdit*, CriterionCount> boxes_{};
    QCheckBox* qTagged = nullptr;
    QLabel* CountLabel = nullptr;
    QLabel* DateNote = nullptr;
};

} // namespace selection

#pragma once

#include "layout/base_panel.h"

#include "data/table_object.h"
#include "data/xb_engine.h"

#include <QPointer>

namespace layout {

// A design surface bound to a record source: its data objects show and print the values of
// the source's current record.
class TGDataPanel : public TGBasePanel {
    Q_OBJECT
public:
    using TGBasePanel::TGBasePanel;

    // True: data objects show the record's values; false: the fields' descriptions in square
    // brackets.
    bool DisplayDataValues() const { return displayDataValues_; }
    void SetDisplayDataValues(bool display) { displayDataValues_ = display; }

    // The open address file's record set, set by the screen.
    data::TTable* RecordSource() const { return recordSource_; }
    void SetRecordSource(data::TTable* table) { recordSource_ = table; }
    // The engine object of that file, through which memo objects read memo text.
    data::TXbEngine* MemoReader() const { return memoReader_; }
    void SetMemoReader(data::TXbEngine* engine) { memoReader_ = engine; }
    // The screen's layout-definition table and its engine object, held for the screen.
    QPointer<data::TTable> DefinitionTable;
    QPointer<data::TXbEngine> DefinitionEngine;

    // With the record source set and open: every object reads its values again.
    void RefreshDataValues() override;

private:
    bool displayDataValues_ = true;
    QPointer<data::TTable> recordSource_;
    QPointer<data::TXbEngine> memoReader_;
};

} // namespace layout

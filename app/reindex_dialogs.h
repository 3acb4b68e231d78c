#pragma once

#include "data/reindex_progress.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace data {
class TTable;
class TXbEngine;
} // namespace data

// The shape both rebuild dialogs share: a status label, a gauge, "Reindex", "Cancel" and
// "Help". Once "Reindex" is clicked the work runs to its end.
class TReindexBase : public QDialog {
    Q_OBJECT
public:
    TReindexBase(const QString& caption, int helpTopic, QWidget* parent);

    QLabel* StatusLabel = nullptr;
    QProgressBar* Gauge = nullptr;
    QPushButton* DoitButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QPushButton* HelpButton = nullptr;

protected:
    virtual void DoitClick() = 0;
    void beginWork();
    void endWork();
    void setStatus(const QString& text);
    void showProgress(int percent);
};

// "Rebuild indexes for <file>": packs out deleted records and builds the 26 tags again.
class TCVReindex : public TReindexBase {
    Q_OBJECT
public:
    TCVReindex(data::TTable& table, data::TXbEngine& engine, QWidget* parent = nullptr);
    static constexpr int HelpTopic = 1040;

protected:
    void DoitClick() override;

private:
    data::TTable& table_;
    data::TXbEngine& engine_;
    data::TagBuildGauge tagGauge_;
};

// "Rebuild System Indexes": the one tag of each of the six system tables.
class TSystemReindex : public TReindexBase {
    Q_OBJECT
public:
    explicit TSystemReindex(QWidget* parent = nullptr);
    static constexpr int HelpTopic = 1039;

protected:
    void DoitClick() override;

private:
    void DoExtra(const QString& table, const QString& tag, const QString& key);
};

#pragma once

#include "exchange/field_match.h"
#include "exchange/import_dialog.h"
#include "exchange/table_source.h"
#include "exchange/text_encoding.h"

// "DBF File Import": any dBASE table, its fields matched to the address fields by name or
// display label first, the user correcting the matching in "DBF File Import Match Fields".
class TDBFImport : public TImportBase {
    Q_OBJECT
public:
    explicit TDBFImport(QWidget* parent = nullptr);
    static constexpr int HelpTopic = 1021;

    const exchange::FieldMatch& match() const { return match_; }

private:
    void SelectFileClick();
    void MatchFieldsClick();
    void ImportClick();

    exchange::ImportSource source_;
    std::vector<exchange::OfferedField> offered_;
    exchange::FieldMatch match_;
    bool accepted_ = false; // a matching was accepted with "Ok" since the file was chosen
};

// "vCard File Import": the cards of a vCard file (versions 2.1, 3.0 and 4.0), their items
// matched to the address fields as the export writes them, the user correcting the matching
// as for a table.
class TVCardImport : public TImportBase {
    Q_OBJECT
public:
    explicit TVCardImport(QWidget* parent = nullptr);
    static constexpr int HelpTopic = 1021;

private:
    void SelectFileClick();
    void MatchFieldsClick();
    void ImportClick();

    exchange::TextEncoding encoding_ = exchange::TextEncoding::Utf8;
    std::vector<std::vector<std::string>> sample_;
    std::vector<exchange::OfferedField> offered_;
    exchange::FieldMatch match_;
    bool accepted_ = false;
};

// "Import Corvane 1.x DBF": an address table of the older version, recognised by its fields and
// copied with a fixed mapping into the main window's own table.
class TImportCorvane1x : public TImportBase {
    Q_OBJECT
public:
    // The dates of the older version may be written in the system's short date pattern.
    TImportCorvane1x(data::TTable& table, data::TXbEngine& engine, QString shortDatePattern,
                     QWidget* parent = nullptr);

private:
    void SelectFileClick();
    void ImportClick();

    QString datePattern_;
    exchange::ImportSource source_;
};

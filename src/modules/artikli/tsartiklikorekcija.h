#pragma once

#include "data/recordversion.h"
#include "frame/tformsrgbase.h"
#include "frame/uniquenumber.h"

#include <optional>

namespace data {
class Query;
}
namespace kit {
class Button;
class Edit;
class GroupBox;
class Label;
class MaskEdit;
}

// Edit of an article: code, name and unit. A changed code is refused when another article
// already has it.
class TSArtikliKorekcija : public TFormSrgBase {
    Q_OBJECT
public:
    explicit TSArtikliKorekcija(QWidget* parent = nullptr);

    kit::GroupBox* GroupBox1 = nullptr;
    kit::Label* Label1 = nullptr;
    kit::MaskEdit* MaskEdit1 = nullptr; // code
    kit::Label* Label2 = nullptr;
    kit::Edit* Edit3 = nullptr; // name
    kit::Label* Label3 = nullptr;
    kit::Edit* Edit4 = nullptr;   // unit
    kit::Label* Label4 = nullptr; // hidden
    kit::Edit* Edit1 = nullptr;   // hidden: the record's id
    kit::Button* Button1 = nullptr;
    data::Query* Query1 = nullptr;

    // The code as loaded; a code equal to it skips the duplicate test.
    QString LoadedCode;

    void LoadRecord(int id);
    // True when an article with the code exists (the code must be a whole number).
    bool ProveriPostoiArtikal(const QString& code);
    // "Update": writes code, name and unit in one transaction and closes; when the article
    // was deleted or changed elsewhere since it was loaded, writes nothing and stays open.
    void Button1Click();
    void MaskEdit1KeyDown(int& key, Qt::KeyboardModifiers) { m_code->keyDown(key); }
    void MaskEdit1Exit() { m_code->exit(); }
    void Edit3KeyDown(int& key, Qt::KeyboardModifiers shift);
    void Edit4KeyDown(int& key, Qt::KeyboardModifiers shift);

private:
    data::RecordVersion m_version;             // the article as loaded
    std::optional<frame::UniqueNumber> m_code; // the check of a changed code
};

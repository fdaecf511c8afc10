#pragma once

#include "frame/tformsrgbase.h"
#include "data/recordversion.h"

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
    kit::Edit* Edit4 = nullptr; // unit
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
    void MaskEdit1KeyDown(int& key, Qt::KeyboardModifiers shift);
    void MaskEdit1Exit();
    void Edit3KeyDown(int& key, Qt::KeyboardModifiers shift);
    void Edit4KeyDown(int& key, Qt::KeyboardModifiers shift);
    void FormClose() override;

private:
    // The duplicate test of the code field, moving the focus on when it passes.
    void checkCode();
    bool m_checking = false;
    bool m_closing = false;
    data::RecordVersion m_version; // the article as loaded
};

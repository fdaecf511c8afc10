#pragma once

#include "frame/tformsrgbase.h"

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

// Entry of a new article: name and unit; the code is the next free one, taken when saving.
class TSArtikliVnes : public TFormSrgBase {
    Q_OBJECT
public:
    explicit TSArtikliVnes(QWidget* parent = nullptr);

    kit::GroupBox* GroupBox1 = nullptr;
    kit::Label* Label1 = nullptr;
    kit::Edit* Edit2 = nullptr; // name
    kit::Label* Label2 = nullptr;
    kit::Edit* Edit3 = nullptr; // unit
    kit::Button* Button1 = nullptr;
    kit::Label* Label3 = nullptr;       // hidden, unused
    kit::MaskEdit* MaskEdit1 = nullptr; // hidden, unused
    data::Query* Query1 = nullptr;

    void Button1Click();
    void Edit2KeyDown(int& key, Qt::KeyboardModifiers shift);
    void Edit3KeyDown(int& key, Qt::KeyboardModifiers shift);
    // Name and unit are required: focuses the first empty one and returns false.
    bool CheckFields();
};

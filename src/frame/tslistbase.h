#pragma once

#include "frame/picking.h"
#include "frame/tformsrgbase.h"

class QVBoxLayout;

namespace data {
class DataSource;
class Query;
}
namespace kit {
class DBGrid;
class Edit;
class Label;
class MenuItem;
class PopupMenu;
}

// What list windows share: the popup menu PopupMenu2 (New/Update or Nov/Korekcija, Close on
// Esc) as the window's popup menu, and for searching lists a grid on Query1 with the search
// field Edit1 under it. Every change of Edit1 reruns Query1 with :a = text + "%"; the list
// refreshes whenever it becomes the active window; Enter in Edit1 moves to the grid.
class TSListBase : public TFormSrgBase, public frame::PickSource {
    Q_OBJECT
    Q_INTERFACES(frame::PickSource)
public:
    enum class Captions { English, Macedonian }; // "New"/"Update" or "Nov"/"Korekcija"
    explicit TSListBase(Captions captions, QWidget* parent = nullptr);

    kit::PopupMenu* PopupMenu2 = nullptr;
    kit::MenuItem* Nov1 = nullptr;
    kit::MenuItem* Korekcija1 = nullptr;
    kit::MenuItem* Close2 = nullptr;

    // Present in searching lists (after buildSearchList).
    data::Query* Query1 = nullptr;
    data::DataSource* DataSource1 = nullptr;
    kit::DBGrid* DBGrid1 = nullptr;
    kit::Edit* Edit1 = nullptr;
    kit::Label* Label1 = nullptr;

    // Key of the current row of Query1, -1 when it has none.
    Q_INVOKABLE virtual int SelectedId();
    // A pick takes the current row's key (SelectedId).
    std::optional<int> pickedKey(frame::PickKey kind) override;
    // Closes and opens Query1 again with its current parameters.
    virtual void RefreshList();

    virtual void Edit1Change();
    virtual void Edit1KeyDown(int& key, Qt::KeyboardModifiers shift);
    void FormActivate() override;
    void Close2Click() { Close(); }

protected:
    // Builds the standard body: the grid on Query1 (statement lines, :a = "%", opened at
    // once) filling the window, and a bottom strip with the search label and Edit1.
    void buildSearchList(const QStringList& statement, const QString& searchCaption);
    QVBoxLayout* bodyLayout() const { return m_body; }

    // Whether FormActivate refreshes (the dispatch list switches it off while printing).
    virtual bool refreshOnActivate() const { return true; }

private:
    QVBoxLayout* m_body = nullptr;
};

#pragma once

#include <QObject>

#include <optional>

class QWidget;

namespace frame {

// The control of a window receiving a pick that gets the focus after it.
enum class AfterPick { Stay, DateField, AddButton };

// A window that asks the lists for picks. The main window hands it the picked key through
// the operation its request names (the command table); a window takes the deliveries it
// asks for and ignores the others. -1 comes from an empty list.
class PickTarget {
public:
    virtual ~PickTarget() = default;

    virtual void ReceiveArticle(int) {}
    virtual void ReceiveProduct(int) {}
    virtual void ReceivePartner(int) {}
    virtual void ReceiveEmployee(int) {}
    virtual void VnesiKomintentiID(int) {}
    virtual void VnesiArtikalID(int) {}
    virtual void VnesiPriemnicaID(int) {}

    // The control that takes the focus after a pick, or nullptr.
    virtual QWidget* controlAfterPick(AfterPick) { return nullptr; }

protected:
    // The window's date field or its "Add" button, as `after` asks.
    static QWidget* dateFieldOrAddButton(AfterPick after, QWidget* dateField, QWidget* addButton)
    {
        return after == AfterPick::DateField ? dateField : after == AfterPick::AddButton ? addButton : nullptr;
    }
};

// Which key of the current row a pick takes.
enum class PickKey {
    Selected,     // the row's key (SelectedId)
    StockArticle, // the article of a stock row with a balance above zero (GetArtikalId)
};

// A list that answers picks.
class PickSource {
public:
    virtual ~PickSource() = default;
    // The key for a pick of `kind`, -1 when the row has none; nothing when this list does not
    // give that kind of key.
    virtual std::optional<int> pickedKey(PickKey kind) = 0;
};

} // namespace frame

Q_DECLARE_INTERFACE(frame::PickTarget, "org.duredir.PickTarget")
Q_DECLARE_INTERFACE(frame::PickSource, "org.duredir.PickSource")

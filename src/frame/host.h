#pragma once

class QMdiArea;
class QSize;
class QWidget;

namespace data {
class Database;
}

namespace frame {

// What child windows and modules need of the main window that holds them. The main window
// implements it and registers itself as the current host while it lives; the frame knows
// nothing more of it.
class Host {
public:
    // The main window of the program, or nullptr (a window built without one is shown on
    // its own).
    static Host* current();

    // The area holding the child windows.
    virtual QMdiArea* mdiArea() const = 0;
    // The outer size of the main window: new child windows are placed by it.
    virtual QSize outerSize() const = 0;
    // The active child window (its widget), or nullptr.
    virtual QWidget* ActiveMDIChild() const = 0;
    // Handles a numbered command synchronously.
    virtual void HandleCommand(int code) = 0;
    // The program's connection, handed to every window a module makes.
    virtual data::Database& database() const = 0;

    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

protected:
    Host();
    ~Host();
};

} // namespace frame

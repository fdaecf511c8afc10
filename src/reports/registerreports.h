#pragma once

namespace reports {

// Registers the report of every printable window with the main window's Print command.
void registerAll();

} // namespace reports

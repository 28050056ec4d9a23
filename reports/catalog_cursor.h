#pragma once

#include <string>

namespace quiral {

struct Session;
class TQuickRep;

// The cursor protocol shared by both catalogs: the component list's selection is the component
// being printed and PrintRemaining counts the components still to come.

// Rewinds a catalog run: PrintRemaining becomes the number of components and the first one is
// selected (selecting does not show it). Only the two catalogs, QR_FIG and QR_lista (their names
// in any letter case), are rewound; any other report passes through unchanged.
void zerarparaimprimir(const TQuickRep& report, Session& session);

// The same rewind without looking at a report's name.
void rewindCatalogCursor(Session& session);

// The end of each need-data call: when components remain, counts one down, selects the next
// entry (the last one stays selected) and returns true ("more data"); otherwise returns false.
bool advanceCatalogCursor(Session& session);

// The selected entry of the component list as listed, or empty without a selection.
std::string selectedComponentName(const Session& session);

}  // namespace quiral

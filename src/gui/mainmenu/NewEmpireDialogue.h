#pragma once

namespace vf {

class Dialogs;
class EmpireRepository;

// Registers an empire after asking for its number and name. Returns true when one was
// registered, so the caller reloads its empire list.
bool runNewEmpireDialogue(Dialogs& dialogs, const EmpireRepository& empires);

} // namespace vf

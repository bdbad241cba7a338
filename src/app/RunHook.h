#pragma once
// The recovery hook's place in the Run value of win.ini. Run is a list of
// programs separated by commas; the hook entry H (the short path of
// Cleaner.exe in the program folder) is one whole element of that list,
// compared without regard to ASCII case.
//
// Invariant: Run never holds the hook more than once, and withoutHook(Run, H)
// always gives back the user's own value, entries added before or after ours
// included, whatever order registrations, removals and restarts come in. The
// saved copy in [Windows] Korimba is still written for outside programs (the
// user's value on registration, "" on removal), but restoring never reads it.
#include <string>

namespace korimba::hook {

// True when one element of run is the hook. An empty hook is never held.
bool holdsHook(const std::string& run, const std::string& hook);

// Run with the hook appended after the user's programs; unchanged when the
// hook is empty or already held, so registering twice is harmless.
std::string withHook(const std::string& run, const std::string& hook);

// Run without the hook element (every copy, should an older run have left
// several); unchanged when it does not hold the hook.
std::string withoutHook(const std::string& run, const std::string& hook);

} // namespace korimba::hook

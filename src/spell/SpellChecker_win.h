// The spell checker the view's spell check uses on Win32: the library link and
// the candidate dialog.
#pragma once

// Installs it for the views (the application does, once).
void InstallSpellChecker();

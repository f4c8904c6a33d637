#pragma once
// The toolkit's own German texts: standard buttons ("Ja", "Abbrechen") and the file dialogs.

// Loads qtbase_de from the toolkit's translations folder, whatever the user's locale, and installs
// it in the running application. false (and a line in the log) when it is missing: the program
// goes on with the toolkit's English texts.
bool QtUebersetzungLaden();

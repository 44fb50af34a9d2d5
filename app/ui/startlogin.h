#pragma once

class TSQLDATA;

// Lets the login dialog try the automatic login of the configured mode and
// shows the dialog when it asks for it. Afterwards session().UzivatelID is
// the logged-in user or 0. Returns whether the code-list page stays visible.
bool prihlasUzivatele(TSQLDATA& data);

#pragma once

class TSQLDATA;

// Lets the login dialog try the automatic login of the configured mode and
// shows the dialog when it asks for it. Afterwards session().UzivatelID is
// the logged-in user or 0.
void prihlasUzivatele(TSQLDATA& data);

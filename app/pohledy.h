#pragma once

class Tmainform;

// Creates the views and editors of a logged-in session and connects them to
// the main window's command messages.
void PripojPohledy(Tmainform& w);

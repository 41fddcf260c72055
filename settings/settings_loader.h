#pragma once

// Fills throwSettings from "Vaxo.ini" in the working directory, or writes the
// default file when there is none.
void loadSettings();

// Finding the game's data: the program runs from the directory that holds it.
#pragma once

// Changes the working directory to the one holding the running executable, so the
// relative data paths work from anywhere. Returns false if it could not be found.
bool changeToGameDirectory();

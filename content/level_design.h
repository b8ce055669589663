// The formation patterns from which the level set-up builds its waves.
#pragma once

class wave;

void addPattern1(wave* tempWave, float yOffset, int difficulty, int numEms);
void addPattern2(wave* tempWave, float yOffset, int difficulty, int numEms);
void addPattern3(wave* tempWave, float yOffset, int difficulty, int numEms);
void addPattern4(wave* tempWave, float yOffset, int difficulty, int numEms);
void addPattern5(wave* tempWave, float yOffset, int difficulty, int numEms);
void addPattern6(wave* tempWave, float yOffset, int difficulty, int numEms);
void addPattern7(wave* tempWave, float yOffset, int difficulty, int numEms);
void addPattern8(wave* tempWave, float yOffset, int difficulty, int numEms);
void addPattern9(wave* tempWave, float yOffset, int difficulty, int numEms);
void addPattern10(wave* tempWave, float yOffset, int difficulty, int numEms);

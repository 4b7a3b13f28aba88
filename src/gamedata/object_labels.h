#pragma once
// An object's picture as the editor shows it: its sprites, and for the text
// and score kinds the label the game draws with its own fonts.

class TLevel;
class TLevelObject;
class TShapeManager;

// Rebuilds obj's sprite chain and, when shapes is given, adds the label of
// a TEXT6, TEXT8 or SCORE object.
void GenerateObjectImage(TLevelObject& obj, const TShapeManager* shapes);

// GenerateObjectImage for every object of level.
void GenerateObjectImages(TLevel& level, const TShapeManager* shapes);

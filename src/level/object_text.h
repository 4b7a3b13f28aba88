#pragma once
// The one-line description of an object that the editor shows and the
// command-line tool prints.

#include <string>

class TLevel;
class TLevelObject;

// "kind=... inside=..." with every field as a signed decimal number; prefixed
// with "#" + index + " " when level holds the object. "" for a null object.
std::string ObjectToString(const TLevel* level, const TLevelObject* object);

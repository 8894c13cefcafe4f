#pragma once

#include <QString>

class EntryStore;
class Settings;
class Ui;

// Appends the live entries of a previous installation's store to the current store, each with a
// new LoginID and its password field byte for byte. The file is accepted only while every live
// entry deciphers under the stored masters; entries added before a rejected one stay.
bool Load(Ui &ui, const QString &path, Settings &settings, EntryStore &store);

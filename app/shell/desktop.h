#pragma once

class Clipboard;
class DatabaseOpener;
class DirectoryPicker;
class MessageBox;
class MessageBoxes;
class ProgramStarter;
class Shell;
class SoundPlayer;

// Everything the main window's commands ask of the desktop.
struct Desktop
{
    SoundPlayer &sound;
    Shell &shell;
    ProgramStarter &programs;
    MessageBox &messages;
    DirectoryPicker &directories;
    Clipboard &clipboard;
    // The comment windows' questions (retry, discard or stay; replace a file) and db25.mdb's program.
    MessageBoxes &dialogs;
    DatabaseOpener &databases;
};

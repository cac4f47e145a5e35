#pragma once

class Clipboard;
class DirectoryPicker;
class MessageBox;
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
};

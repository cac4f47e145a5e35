#pragma once

#include "fakes/fake_clipboard.h"
#include "fakes/fake_directory_picker.h"
#include "fakes/fake_message_box.h"
#include "fakes/fake_program_starter.h"
#include "fakes/fake_shell.h"
#include "fakes/fake_sound_player.h"
#include "shell/desktop.h"

// Every desktop service faked, and the bundle the commands take.
struct FakeDesktop
{
    FakeSoundPlayer sound;
    FakeShell shell;
    FakeProgramStarter programs;
    FakeMessageBox messages;
    FakeDirectoryPicker directories;
    FakeClipboard clipboard;
    Desktop desktop{sound, shell, programs, messages, directories, clipboard};
};

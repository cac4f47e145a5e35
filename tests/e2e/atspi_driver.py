"""Drives a running Qt program through the desktop's accessibility interface (AT-SPI).

Controls are found by role and accessible name (their caption or label) or description
(their tool tip). Every lookup retries until a timeout, since the program builds and
announces its windows asynchronously.
"""
import os
import subprocess
import threading
import time
import warnings

warnings.filterwarnings("ignore", category=DeprecationWarning)  # pyatspi's own use of GI

import pyatspi  # noqa: E402

DEFAULT_TIMEOUT = 15.0


class DriverError(AssertionError):
    pass


def wait_for(what, probe, timeout=DEFAULT_TIMEOUT, interval=0.1):
    """Calls probe until it returns something true; fails with `what` after the timeout."""
    deadline = time.monotonic() + timeout
    last_error = None
    while True:
        try:
            result = probe()
            if result:
                return result
        except Exception as error:  # the tree changes under us; try again
            last_error = error
        if time.monotonic() > deadline:
            detail = f" (last error: {last_error})" if last_error else ""
            raise DriverError(f"timed out waiting for {what}{detail}")
        time.sleep(interval)


def role_name(acc):
    return acc.getRoleName()


def walk(acc, depth=0, max_depth=40):
    if acc is None or depth > max_depth:
        return
    yield acc
    try:
        count = acc.childCount
    except Exception:
        return
    for i in range(count):
        try:
            child = acc.getChildAtIndex(i)
        except Exception:
            continue
        yield from walk(child, depth + 1, max_depth)


def start_registry(timeout=DEFAULT_TIMEOUT):
    """Starts the accessibility bus and registry before any program does: a program that
    starts first may miss its registration and stay invisible."""
    wait_for("the accessibility registry", lambda: pyatspi.Registry.getDesktop(0).childCount >= 0, timeout)


def application(pid, timeout=DEFAULT_TIMEOUT):
    """The accessible application of the process with this id."""
    def probe():
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            try:
                if app is not None and app.get_process_id() == pid:
                    return app
            except Exception:
                continue
        return None
    return wait_for(f"the application of process {pid}", probe, timeout)


def matches(acc, role=None, name=None, description=None, showing=None):
    if role is not None and role_name(acc) != role:
        return False
    if name is not None and acc.name != name:
        return False
    if description is not None and acc.description != description:
        return False
    if showing is not None:
        state = acc.getState().contains(pyatspi.STATE_SHOWING)
        if state != showing:
            return False
    return True


def find_all(root, **criteria):
    return [acc for acc in walk(root) if matches(acc, **criteria)]


def find(root, timeout=DEFAULT_TIMEOUT, **criteria):
    """The first control under root that meets the criteria (role, name, description, showing)."""
    return wait_for(f"a control with {criteria}", lambda: next(iter(find_all(root, **criteria)), None), timeout)


def window(app, title, timeout=DEFAULT_TIMEOUT, roles=None):
    """A top-level window of the application by title (and role, when given)."""
    def probe():
        for i in range(app.childCount):
            child = app.getChildAtIndex(i)
            if child is not None and child.name == title and (roles is None or role_name(child) in roles):
                return child
        return None
    return wait_for(f"the window {title!r}", probe, timeout)


MESSAGE_ROLES = ("dialog", "alert")


def no_window(app, title, timeout=DEFAULT_TIMEOUT):
    def probe():
        for i in range(app.childCount):
            child = app.getChildAtIndex(i)
            if child is not None and child.name == title and child.getState().contains(pyatspi.STATE_SHOWING):
                return False
        return True
    wait_for(f"the window {title!r} to go", probe, timeout)


def press(acc):
    """Runs the control's first action (press, toggle, switch)."""
    action = acc.queryAction()
    if action.nActions < 1:
        raise DriverError(f"{role_name(acc)} {acc.name!r} has no action")
    action.doAction(0)


def press_modal(acc):
    """Presses a control that opens a modal box: the press is answered only when the box
    closes, so it runs beside the test, which goes on to handle the box."""
    def run():
        try:
            press(acc)
        except Exception:
            pass  # the reply comes late or never; the test checks the effects
    threading.Thread(target=run, daemon=True).start()


def text_of(acc):
    text = acc.queryText()
    return text.getText(0, text.characterCount)


def set_text(acc, value):
    acc.queryEditableText().setTextContents(value)


def select_tab(app, caption, timeout=DEFAULT_TIMEOUT):
    """Shows a tab; look for its controls with showing=True, which waits until they are."""
    tab = find(app, role="page tab", name=caption, timeout=timeout)
    press(tab)
    return tab


def is_checked(acc):
    return acc.getState().contains(pyatspi.STATE_CHECKED)


def process_ended(process, timeout=DEFAULT_TIMEOUT):
    try:
        return process.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        raise DriverError("the program did not end")


def program_environment(extra_path=None):
    env = dict(os.environ)
    env["QT_QPA_PLATFORM"] = "xcb"  # an inherited offscreen setting would hide the program
    env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
    env["QT_ACCESSIBILITY"] = "1"
    if extra_path:
        env["PATH"] = extra_path + os.pathsep + env.get("PATH", "")
    return env


def main(argv):
    """Command line for shell tests: press PID TAB CAPTION presses a button on a tab of
    the program's main window."""
    if len(argv) != 5 or argv[1] != "press":
        raise SystemExit("usage: atspi_driver.py press PID TAB CAPTION")
    app = application(int(argv[2]))
    select_tab(app, argv[3])
    press(find(app, role="push button", name=argv[4], showing=True))


if __name__ == "__main__":
    import sys
    main(sys.argv)

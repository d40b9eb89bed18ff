#!/usr/bin/env python3
"""End-to-end test of the real program on a real X server (Xvfb).

Drives Tarvilo only through X input events (xdotool) in an empty folder
under one locale, and checks every "salida.txt" it writes, line by line,
against the curves worked out here with the model's own formulas.

    e2e_test.py PROGRAM LOCALE        (LOCALE such as en_US.UTF-8, de_DE.UTF-8)
"""
import os
import random
import subprocess
import sys
import tempfile
import time
from decimal import ROUND_HALF_UP, Decimal

TIMEOUT = 20.0
START_TIMEOUT = 90.0
CLIENT_HEIGHT = 481  # the window's client area below the menu bar


# --- The model, written out independently --------------------------------

def curves(x, b, uinf, pcarga, qcarga, qcap):
    beq = qcap + b / 2
    q2crit = (uinf ** 4 - 4 * x * x * pcarga * pcarga) / (4 * uinf * uinf * x)
    q2, vu, vl, v2, qcapr = [], [], [], [], []
    q = q2crit
    for i in range(1, 301):
        s = 2 * q * x - uinf * uinf
        r = 4 * x * x * (pcarga * pcarga + q * q)
        q2.append(q)
        if i == 1:
            vu.append(((-s) / 2) ** 0.5)
            vl.append(vu[-1])
        else:
            root = (s * s - r) ** 0.5
            vu.append(((-s + root) / 2) ** 0.5)
            vl.append(((-s - root) / 2) ** 0.5)
        q = q - 0.05
    v = 1.5
    for i in range(1, 301):
        v2.append(v)
        qcapr.append(qcarga - beq * v * v)
        v = v - 0.005
    return q2, vu, vl, v2, qcapr


def field(value, separator):
    """15 significant digits, then five decimals rounded half away from zero."""
    fifteen = Decimal(format(value, ".14e"))
    text = str(fifteen.quantize(Decimal("0.00001"), rounding=ROUND_HALF_UP))
    if text == "-0.00000":
        text = "0.00000"
    return text.replace(".", separator)


def expected_file(inputs, separator):
    q2, vu, vl, v2, qcapr = curves(*inputs)
    lines = ["Tarvilo", "Valores de curvas.", "q2       vu       q2       vl       qcapr     v2  "]
    for i in range(300):
        values = (q2[i], vu[i], q2[i], vl[i], qcapr[i], v2[i])
        lines.append("; ".join(field(v, separator) for v in values))
    return lines


# --- The X server and the program ------------------------------------------

def wait_for(condition, what):
    deadline = time.monotonic() + TIMEOUT
    while time.monotonic() < deadline:
        result = condition()
        if result:
            return result
        time.sleep(0.05)
    raise AssertionError(f"timed out waiting for {what}")


class Session:
    def __init__(self, program, locale, folder, arguments=(), title="^Tarvilo$"):
        self.folder = folder
        # The recent cases go to a settings store of the test's own.
        self.config = tempfile.TemporaryDirectory()
        attempts = 6
        for attempt in range(attempts):
            self.start_x_server(locale)
            # The program's own output is kept outside its folder and shown
            # when the test fails (a sanitizer report, say).
            self.output = tempfile.TemporaryFile()
            # The program gets an empty PATH: no system-information program to find.
            program_env = dict(self.env, PATH=os.path.join(folder, "no-programs"), XDG_CONFIG_HOME=self.config.name)
            self.program = subprocess.Popen([program, *arguments], cwd=folder, env=program_env,
                                            stdout=self.output, stderr=subprocess.STDOUT)
            try:
                self.window = self.wait_for_window(title)
                values = wait_for(self.window_geometry, "the main window's geometry")
                break
            except AssertionError:
                output = self.program_output()
                # An X server that let the program down is the machine's
                # fault, not the program's: another one is started.
                lost_server = self.program.poll() is not None and "could not connect to display" in output
                self.stop()
                if lost_server and attempt < attempts - 1:
                    # Seen on a loaded machine for a second or two at a
                    # time: the next try waits a little longer.
                    print(f"the X server on {self.env['DISPLAY']} refused the program; starting another")
                    print(self.x_server_output())
                    time.sleep(attempt + 1)
                    continue
                # Nothing may outlive a failed start: a left-over X server
                # would hold the test's output pipe open until CTest's timeout.
                print(output)
                self.config.cleanup()
                raise
        self.origin = (int(values["X"]), int(values["Y"]))
        self.menu_height = int(values["HEIGHT"]) - CLIENT_HEIGHT

    def start_x_server(self, locale):
        """An X server of this test's own. Its display number is chosen here
        and tried until one is free: -displayfd could give two servers started
        at once (the CTest runs in parallel) the same number, and the program
        then met the other test's server as it went away."""
        self.env = {k: v for k, v in os.environ.items() if not k.startswith(("QT_QPA", "LC_", "LANG"))}
        for _ in range(20):
            number = random.randrange(100, 30000)
            if os.path.exists(f"/tmp/.X{number}-lock") or os.path.exists(f"/tmp/.X11-unix/X{number}"):
                continue
            display = f":{number}"
            self.xvfb_output = tempfile.TemporaryFile()
            self.xvfb = subprocess.Popen(["Xvfb", display, "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
                                         stdout=self.xvfb_output, stderr=subprocess.STDOUT)
            self.env.update(DISPLAY=display, LC_ALL=locale, LANG=locale)
            # The program starts once this server answers a client; a server
            # that ended found its number taken, and another is tried.
            try:
                wait_for(lambda: self.xvfb.poll() is not None or self.xdotool("getdisplaygeometry"),
                         f"the X server on {display}")
            except AssertionError:
                print(self.x_server_output())
                self.xvfb.terminate()
                self.xvfb.wait()
                raise
            if self.xvfb.poll() is None:
                return
        raise AssertionError("no free display for an X server")

    def x_server_output(self):
        self.xvfb_output.seek(0)
        return self.xvfb_output.read().decode(errors="replace")[-3000:]

    def stop(self):
        if self.program.poll() is None:
            self.program.kill()
        self.program.wait()
        self.xvfb.terminate()
        self.xvfb.wait()

    def window_geometry(self):
        """The window's place and size; none while the X server cannot tell
        them yet (a window just mapped, or mapped again by its toolkit)."""
        geometry = self.xdotool("getwindowgeometry", "--shell", self.window)
        values = dict(line.split("=", 1) for line in geometry.split() if "=" in line)
        return values if {"X", "Y", "HEIGHT"} <= values.keys() else None

    def wait_for_window(self, title):
        """The first window of a start; a sanitizer build on a busy machine
        takes far longer to show it than a plain one, and a program that
        ended instead is reported at once."""
        deadline = time.monotonic() + START_TIMEOUT
        while time.monotonic() < deadline:
            if self.program.poll() is not None:
                raise AssertionError(f"the program ended with status {self.program.returncode} before its window")
            found = self.find(title)
            if found:
                return found
            time.sleep(0.05)
        raise AssertionError("timed out waiting for the main window")

    def program_output(self):
        self.output.seek(0)
        return self.output.read().decode(errors="replace")[-6000:]

    def close(self):
        self.stop()
        self.config.cleanup()

    def xdotool(self, *args):
        result = subprocess.run(["xdotool", *args], env=self.env, capture_output=True, text=True)
        return result.stdout.strip() if result.returncode == 0 else ""

    def find(self, name):
        """A visible window whose title matches (xdotool ignores case, so the
        main window "Tarvilo" is left out of the matches for "tarvilo")."""
        found = [w for w in self.xdotool("search", "--onlyvisible", "--name", name).split()
                 if w != getattr(self, "window", None)]
        return found[0] if found else ""

    def click(self, x, y):
        """A left click at a point of the client area (below the menu bar)."""
        self.xdotool("mousemove", "--sync", str(self.origin[0] + x), str(self.origin[1] + self.menu_height + y),
                     "click", "1")

    def click_menu(self, x):
        self.xdotool("mousemove", "--sync", str(self.origin[0] + x), str(self.origin[1] + self.menu_height // 2),
                     "click", "1")

    def type_into(self, box, text):
        left, top = BOXES[box]
        self.click(left + 40, top + 9)
        self.xdotool("key", "--clearmodifiers", "ctrl+a")
        self.xdotool("type", "--delay", "15", text)

    def press(self, window, key):
        self.xdotool("windowfocus", "--sync", window)
        self.xdotool("key", key)

    def file_lines(self):
        try:
            with open(os.path.join(self.folder, "salida.txt"), "rb") as f:
                data = f.read()
        except OSError:
            return None
        if not data.endswith(b"\r\n"):
            return None
        lines = data.decode("ascii").split("\r\n")[:-1]
        return lines if len(lines) == 303 else None

    def stamp(self):
        try:
            return os.stat(os.path.join(self.folder, "salida.txt")).st_mtime_ns
        except OSError:
            return None


# Input boxes and buttons: top-left corners in the client area, in pixels.
BOXES = {"X": (176, 64), "B": (176, 120), "Uinf": (8, 88), "Pcarga": (496, 32), "Qcarga": (496, 80),
         "Qcap": (496, 128)}
CALCULAR = (376 + 104, 408 + 12)


def check_file(session, inputs, separator, what):
    expected = expected_file(inputs, separator)
    lines = wait_for(lambda: session.file_lines() == expected and expected, what) and session.file_lines()
    assert lines == expected, what


def spell(number_text, separator):
    return number_text.replace(".", separator)


def operating_points(x, b, uinf, pcarga, qcarga, qcap):
    """Where the load characteristic meets the system's: with w = V2 squared,
    (1 - X Beq)^2 w^2 + (2 X Qcarga - Uinf^2 - 2 X^2 Qcarga Beq) w + X^2 (Pcarga^2 + Qcarga^2) = 0."""
    beq = qcap + b / 2
    a = (1 - x * beq) ** 2
    bb = 2 * x * qcarga - uinf * uinf - 2 * x * x * qcarga * beq
    c = x * x * (pcarga * pcarga + qcarga * qcarga)
    root = (bb * bb - 4 * a * c) ** 0.5
    upper, lower = (-bb + root) / (2 * a), (-bb - root) / (2 * a)
    return {"V2 sup": upper ** 0.5, "Q2 sup": qcarga - beq * upper,
            "V2 inf": lower ** 0.5, "Q2 inf": qcarga - beq * lower}


def check_case_from_command_line(program, locale, separator):
    """A case file given on the command line: the window opens on it, and its
    start-up run gives that case's curves and results."""
    inputs = (0.05, 3.33, 1.0, 7.0, 0.5, 0.0)
    with tempfile.TemporaryDirectory() as folder:
        case = os.path.join(folder, "estudio.tarvilo")
        with open(case, "w", encoding="utf-8") as f:
            f.write('{"formato": "tarvilo-caso", "version": 1, "entradas": '
                    '{"X": 0.05, "B": 3.33, "Uinf": 1, "Pcarga": 7, "Qcarga": 0.5, "Qcap": 0}}\n')
        session = Session(program, locale, folder, [case], "^estudio.tarvilo - Tarvilo$")
        try:
            check_file(session, inputs, separator, "the file of the case given on the command line")
            # The labels, through "Archivo" > "Copiar resultados" (its access key r).
            session.click_menu(28)
            session.xdotool("key", "--delay", "50", "r")

            def copied():
                result = subprocess.run(["xclip", "-selection", "clipboard", "-o"], env=session.env,
                                        capture_output=True, text=True, timeout=5)
                return result.stdout if result.returncode == 0 and "V2 sup" in result.stdout else ""
            table = wait_for(copied, "the results on the clipboard")
            values = {}
            for line in table.splitlines():
                fields = line.split("\t")
                values[fields[0]] = float(fields[1].replace(separator, "."))
            assert values["Reactancia X"] == 0.05 and values["Pcarga"] == 7, f"inputs: {table}"
            for name, expected in operating_points(*inputs).items():
                assert abs(values[name] - expected) <= 1e-9 * max(1, abs(expected)), f"{name}: {values[name]} vs {expected}"
        finally:
            session.close()


def main():
    program, locale = sys.argv[1], sys.argv[2]
    separator = "," if locale.startswith(("de_", "es_", "fr_")) else "."
    passed = 0
    with tempfile.TemporaryDirectory() as folder:
        session = Session(program, locale, folder)
        try:
            # Start-up: the default case, calculated before the window shows.
            check_file(session, (0.03, 3.33, 1.00, 10.48, 0.0, 0.0), separator, "the start-up file")
            passed += 1

            # New values typed into the boxes, then "Calcular" with the mouse.
            typed = {"X": "0.05", "B": "2.5", "Uinf": "1.05", "Pcarga": "5", "Qcarga": "0.5", "Qcap": "0.2"}
            for box, text in typed.items():
                session.type_into(box, spell(text, separator))
            session.click(*CALCULAR)
            check_file(session, (0.05, 2.5, 1.05, 5.0, 0.5, 0.2), separator, "the file of the typed case")
            passed += 1

            # A non-number becomes "Error" and starts no calculation; pressing
            # "Calcular" then stops at the unreadable box with a message.
            before = session.stamp()
            session.type_into("Qcap", "abc")
            session.click(*CALCULAR)
            message = wait_for(lambda: session.find("^tarvilo$"), "the message about the unreadable box")
            session.press(message, "Return")
            wait_for(lambda: not session.find("^tarvilo$"), "the message to close")
            assert session.stamp() == before, "a non-number recalculated the curves"
            passed += 1

            # No operating point: the message, answered with the keyboard;
            # the file of that run is complete.
            for box, text in {"X": "3", "B": "333", "Uinf": "100", "Pcarga": "1048", "Qcarga": "0",
                              "Qcap": "0"}.items():
                session.type_into(box, text)
            session.click(*CALCULAR)
            message = wait_for(lambda: session.find("^tarvilo$"), "the no-solution message")
            session.press(message, "Return")
            wait_for(lambda: not session.find("^tarvilo$"), "the no-solution message to close")
            check_file(session, (3.0, 333.0, 100.0, 1048.0, 0.0, 0.0), separator, "the no-solution file")
            passed += 1

            # The About dialog opens from the keyboard (Alt+D); Alt+S asks for
            # the system-information program, which this machine does not
            # have; Escape closes the dialog.
            session.press(session.window, "alt+d")
            about = wait_for(lambda: session.find("^Acerca de este programa"), "the About dialog")
            session.press(about, "alt+s")
            unavailable = wait_for(lambda: session.find("^tarvilo$"), "the system-information message")
            session.press(unavailable, "Return")
            wait_for(lambda: not session.find("^tarvilo$"), "the system-information message to close")
            session.press(about, "Escape")
            wait_for(lambda: not session.find("^Acerca de este programa"), "the About dialog to close")
            passed += 1

            # "Archivo" > "Salir" ends the program normally: the menu opens with
            # a click, "Salir" with its access key.
            session.click_menu(28)
            session.xdotool("key", "--delay", "50", "s")
            wait_for(lambda: session.program.poll() is not None, "the program to end")
            assert session.program.returncode == 0, f"exit status {session.program.returncode}"
            # Its folder holds the curve file and nothing else: no temporary
            # file of the safe writes is left behind.
            assert os.listdir(folder) == ["salida.txt"], f"left in its folder: {os.listdir(folder)}"
            passed += 1

            check_case_from_command_line(program, locale, separator)
            passed += 1
        except AssertionError as failure:
            print(f"FAIL ({locale}): {failure}")
            print(session.program_output())
            print(f"{passed} passed, 1 failed")
            return 1
        finally:
            session.close()
    print(f"{passed} passed, 0 failed")
    return 0


if __name__ == "__main__":
    sys.exit(main())

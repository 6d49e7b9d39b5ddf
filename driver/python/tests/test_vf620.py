"""The Python module against vfdsim: two lines shown, read back from the
virtual display's screen text. Arguments: VFDSIM_PATH LIBRARY_PATH."""

import os
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), ".."))
import vf620  # noqa: E402


def wait_for(predicate, seconds=10.0):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if predicate():
            return True
        time.sleep(0.05)
    return predicate()


def main():
    vfdsim, library = sys.argv[1], sys.argv[2]
    with tempfile.TemporaryDirectory() as folder:
        port_file = os.path.join(folder, "port")
        screen = os.path.join(folder, "screen.txt")
        sim = subprocess.Popen([vfdsim, "--port", "7", "--port-file", port_file,
                                "--screen-text", screen], stdout=subprocess.DEVNULL)
        try:
            assert wait_for(lambda: os.path.exists(port_file) and os.path.getsize(port_file) > 0)
            name, device = open(port_file).read().strip().split("=", 1)
            os.environ[name] = device
            lib = vf620.load_library(library)
            with vf620.Display(port=7, library=lib) as display:
                display.clear()
                display.show("TOTAL", "12.50")

            def shows_both():
                text = open(screen, encoding="utf-8").read() if os.path.exists(screen) else ""
                return "TOTAL" in text and "12.50" in text
            assert wait_for(shows_both), open(screen, encoding="utf-8").read()

            # A port with no device is refused with an exception, not a crash.
            os.environ["VFDKIT_COM8"] = os.path.join(folder, "no-such-device")
            try:
                vf620.Display(port=8, library=lib)
                raise AssertionError("a missing port opened")
            except vf620.VF620Error as error:
                missing = os.path.join(folder, "no-such-device")
                assert str(error) == ("cannot open COM8: %s: no such device (COM8 is mapped to it "
                                      "by the variable VFDKIT_COM8)" % missing), str(error)
        finally:
            sim.terminate()
            sim.wait(10)
    print("1 passed, 0 failed")


if __name__ == "__main__":
    main()

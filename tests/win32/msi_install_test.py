"""The Windows Installer package under Wine, as an administrator uses it.

usage: msi_install_test.py WINE PACKAGE.msi PROGRAM.exe ICON.ico E2E-TEST [OTHER.msi]
In a private copy of the test prefix: a silent install exits 0; the program,
the Start-menu shortcut (its target and icon) and the entry in the list of
installed programs are where they should be; the installed program passes the
end-to-end test started from its installed path; installing again is
harmless; a silent removal exits 0 and leaves nothing of the product behind.
Given the other processor's package of the same version, each of the two,
installed over the other, replaces it: one program, one entry, one working
shortcut, and nothing of either left after removal.
With WINEARCH=win32 the prefix is a 32-bit Windows, where the 64-bit package
must refuse to install and leave nothing either.
"""
import os
import pathlib
import shutil
import struct
import subprocess
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent / "support"))
from checks import Checks  # noqa: E402
import tempfile

wine, package, program, icon, e2e = sys.argv[1:6]
other = sys.argv[6] if len(sys.argv) > 6 else None
NAME = "功率和dBm换算"
check = Checks()


def run(*command, **options):
    return subprocess.run(list(command), capture_output=True, check=False, **options).returncode


def settle():
    """Ends the Wine server, which writes the registry to disk first: at once,
    where waiting for it to end by itself takes seconds each time."""
    run("wineserver", "-k")
    run("wineserver", "-w")


def msiexec(*arguments):
    code = run(wine, "msiexec", *arguments)
    settle()
    return code


def product_code(of=None):
    text = subprocess.run(["msiinfo", "export", of or package, "Property"], capture_output=True, check=True).stdout
    return dict(line.split("\t", 1) for line in text.decode().replace("\r", "").splitlines()[3:] if "\t" in line)[
        "ProductCode"]


def packed(guid):
    """A GUID as Windows Installer writes it in its registry keys."""
    parts = guid.strip("{}").split("-")
    flipped = "".join(part[::-1] for part in parts[:3])
    swapped = "".join(pair[1] + pair[0] for pair in (lambda s: [s[i:i + 2] for i in range(0, len(s), 2)])(
        parts[3] + parts[4]))
    return flipped + swapped


def registry_values(key, of=None):
    """The values of a registry key of a package, or None when it does not exist."""
    with tempfile.TemporaryDirectory() as folder:
        out = os.path.join(folder, "key.reg")
        # On 64-bit Windows each package lists itself in the registry of its
        # own processor (a 32-bit one under WOW6432Node), whichever Wine asks.
        view = []
        if (prefix / "drive_c" / "windows" / "syswow64").is_dir():
            view = ["/reg:64" if "x64" in pathlib.Path(of or package).name else "/reg:32"]
        if run(wine, "reg", "export", key, "Z:" + out.replace("/", "\\"), "/y", *view) != 0 or not os.path.exists(out):
            return None
        text = pathlib.Path(out).read_bytes().decode("utf-16")
    values = {}
    lines = text.splitlines()
    for line in lines[next(i for i, line in enumerate(lines) if line.startswith("[")) + 1:]:
        if line.startswith("["):
            break
        if line.startswith('"') and "=" in line:
            name, value = line.split("=", 1)
            values[name.strip('"')] = value.strip('"').replace("\\\\", "\\")
    return values


def windows_path(path):
    """The Unix path of a C: path in the prefix."""
    return prefix / "drive_c" / path[3:].replace("\\", "/")


def utf16_at(data, start):
    end = start
    while data[end:end + 2] != b"\0\0":
        end += 2
    return data[start:end].decode("utf-16le")


def ansi_at(data, start):
    return data[start:data.index(b"\0", start)].decode("latin-1")


def shortcut_parts(data):
    """Target, working folder and icon of a .lnk file (MS-SHLLINK)."""
    flags = struct.unpack_from("<I", data, 0x14)[0]
    offset = 0x4C
    if flags & 0x1:  # an ID list
        offset += 2 + struct.unpack_from("<H", data, offset)[0]
    target = None
    if flags & 0x2:  # link info, with the local path, and the suffix after it
        size, header = struct.unpack_from("<II", data, offset)
        if header >= 0x24:
            base, suffix = struct.unpack_from("<II", data, offset + 28)
            target = utf16_at(data, offset + base) + utf16_at(data, offset + suffix)
        else:
            base, _, suffix = struct.unpack_from("<III", data, offset + 16)
            target = ansi_at(data, offset + base) + ansi_at(data, offset + suffix)
        offset += size
    strings = []
    for bit in (0x4, 0x8, 0x10, 0x20, 0x40):  # name, relative path, folder, arguments, icon
        if flags & bit:
            count = struct.unpack_from("<H", data, offset)[0]
            strings.append((bit, data[offset + 2:offset + 2 + 2 * count].decode("utf-16le")))
            offset += 2 + 2 * count
    found = {bit: text.rstrip("\0") for bit, text in strings}
    return target, found.get(0x10), found.get(0x40)


def shortcuts():
    return sorted(str(path) for path in (prefix / "drive_c").rglob(NAME + ".lnk"))


def leftovers(code):
    """Everything in the prefix that names the product (registry lines lose
    their time stamps, which change on every write)."""
    settle()
    names = [code.upper(), packed(code).upper(), "DBMCONV"]
    found = []
    for hive in ("system.reg", "user.reg", "userdef.reg"):
        for line in (prefix / hive).read_text(errors="replace").splitlines():
            if any(name in line.upper() for name in names):
                found.append("%s: %s" % (hive, line.split("] ")[0][:120]))
    found += [str(path) for path in (prefix / "drive_c").rglob("*") if "dbmconv" in path.name.lower()
              or code.upper() in path.name.upper() or path.name == NAME + ".lnk"]
    return found


work = pathlib.Path(tempfile.mkdtemp())
prefix = work / "prefix"
shutil.copytree(os.environ["WINEPREFIX"], prefix, symlinks=True)
os.environ["WINEPREFIX"] = str(prefix)
try:
    code = product_code()
    before = leftovers(code)
    is_64_bit_package = "x64" in pathlib.Path(package).name
    is_64_bit_windows = (prefix / "drive_c" / "windows" / "syswow64").is_dir()
    if is_64_bit_package and not is_64_bit_windows:
        check("refused on 32-bit Windows", msiexec("/i", package, "/qn") != 0, True)
        check("nothing left behind", [found for found in leftovers(code) if found not in before], [])
        check.exit()

    check("silent install exits 0", msiexec("/i", package, "/qn"), 0)
    folder = "C:\\Program Files\\dbmconv" if is_64_bit_package or not is_64_bit_windows \
        else "C:\\Program Files (x86)\\dbmconv"
    installed = folder + "\\dbmconv.exe"
    check("the program installed where it belongs", windows_path(installed).is_file(), True)
    if windows_path(installed).is_file():
        check("the program as built", windows_path(installed).read_bytes() == pathlib.Path(program).read_bytes(), True)

    # Windows puts a per-machine shortcut in the common Start menu; Wine's
    # installer resolves the Start menu to the user's own even then.
    links = shortcuts()
    check("one Start-menu shortcut", len(links), 1)
    if links:
        target, working, icon_location = shortcut_parts(pathlib.Path(links[0]).read_bytes())
        check("shortcut target", (target or "").lower(), installed.lower())
        check("shortcut working folder", (working or "").rstrip("\\").lower(), folder.lower())
        check("shortcut icon is the program's", icon_location is not None
              and windows_path(icon_location).is_file()
              and windows_path(icon_location).read_bytes() == pathlib.Path(icon).read_bytes(), True)

    entry = registry_values("HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + code) or {}
    check("listed as installed, by its name", entry.get("DisplayName"), NAME)
    check("listed with version 1.00", entry.get("DisplayVersion"), "1.00")
    check("listed with its publisher", entry.get("Publisher"), "The dbmconv authors")
    check("no modify button", entry.get("NoModify"), "dword:00000001")
    check("no repair button", entry.get("NoRepair"), "dword:00000001")
    product = registry_values("HKLM\\Software\\Classes\\Installer\\Products\\" + packed(code)) or {}
    product_icon = product.get("ProductIcon", "")
    check("listed with the program's icon", product_icon != ""
          and windows_path(product_icon).is_file()
          and windows_path(product_icon).read_bytes() == pathlib.Path(icon).read_bytes(), True)

    check("the installed program passes the end-to-end test",
          subprocess.run(["bash", e2e, wine, installed], check=False).returncode, 0)

    check("installing again exits 0", msiexec("/i", package, "/qn"), 0)
    check("still one shortcut", len(shortcuts()), 1)
    check("still the program", windows_path(installed).is_file(), True)

    if other is None:
        check("silent removal exits 0", msiexec("/x", package, "/qn"), 0)
        check("nothing left behind", [found for found in leftovers(code) if found not in before], [])
    else:
        codes = {package: code, other: product_code(other)}
        before_other = leftovers(codes[other])

        def folder_of(of):
            return "C:\\Program Files (x86)\\dbmconv" if "x86" in pathlib.Path(of).name and is_64_bit_windows \
                else "C:\\Program Files\\dbmconv"

        def listed():
            """The packages with an entry among the installed programs, read
            from the registry's own file (one Wine start less each)."""
            settle()
            text = (prefix / "system.reg").read_text(errors="replace").upper()
            return [of for of in (package, other) if "\\\\UNINSTALL\\\\" + codes[of].upper() + "]" in text]

        for first, second in ((package, other), (other, package)):
            said = "%s over %s" % (pathlib.Path(second).stem, pathlib.Path(first).stem)
            if first == other:
                run(wine, "msiexec", "/i", first, "/qn")
            check(said + ": install exits 0", msiexec("/i", second, "/qn"), 0)
            check(said + ": one entry, the second's", listed(), [second])
            check(said + ": one program, the second's",
                  [of for of in (package, other) if windows_path(folder_of(of) + "\\dbmconv.exe").is_file()], [second])
            links = shortcuts()
            check(said + ": one shortcut, to the second's program",
                  [(shortcut_parts(pathlib.Path(link).read_bytes())[0] or "").lower() for link in links],
                  [(folder_of(second) + "\\dbmconv.exe").lower()])
            check(said + ": removal exits 0", run(wine, "msiexec", "/x", second, "/qn"), 0)
            check(said + ": nothing of either left",
                  [found for found in leftovers(code) + leftovers(codes[other])
                   if found not in before and found not in before_other], [])
finally:
    run("wineserver", "-k")
    shutil.rmtree(work, ignore_errors=True)
check.exit()

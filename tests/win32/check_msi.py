"""The Windows Installer package's tables, as msiinfo reads them.

usage: check_msi.py PACKAGE.msi x86|x64 VERSION
A per-machine package in Chinese (PRC) of the one program, with the fixed
upgrade code and a major upgrade, its icon in the list of installed programs,
no repair or modify buttons, a Start-menu shortcut named as the window, and
nothing that runs code of its own: no custom actions, no reboot.
"""
import pathlib
import subprocess
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent / "support"))
from checks import Checks  # noqa: E402

package, processor, version = sys.argv[1:4]
UPGRADE_CODE = "{F46A89A7-5374-4978-847F-22169CC22FF2}"
check = Checks()


def table(name):
    """The rows of a table (msiinfo exports three header lines first)."""
    text = subprocess.run(["msiinfo", "export", package, name], capture_output=True, check=True).stdout
    lines = text.decode("utf-8").replace("\r", "").split("\n")[3:]
    return [line.split("\t") for line in lines if line]


summary = dict(
    line.split(": ", 1)
    for line in subprocess.run(["msiinfo", "suminfo", package], capture_output=True, check=True)
    .stdout.decode("utf-8").splitlines()
    if ": " in line)
check("template: processor and Chinese (PRC)", summary.get("Template"),
      ("x64" if processor == "x64" else "Intel") + ";2052")
check("summary names the product and its version", summary.get("Subject"), "功率和dBm换算 " + version)
check("package code set, not left to chance", summary.get("Revision number (UUID)", "")[:1], "{")

properties = {row[0]: row[1] if len(row) > 1 else "" for row in table("Property")}
for name, value in [("ProductName", "功率和dBm换算"), ("ProductVersion", version),
                    ("Manufacturer", "The dbmconv authors"), ("ProductLanguage", "2052"),
                    ("UpgradeCode", UPGRADE_CODE), ("ALLUSERS", "1"), ("ARPPRODUCTICON", "dbmconv.ico"),
                    ("ARPNOREPAIR", "1"), ("ARPNOMODIFY", "1")]:
    check("property %s" % name, properties.get(name), value)
codepage = subprocess.run(["msiinfo", "export", package, "_ForceCodepage"], capture_output=True, check=True)
check("tables in the code page of Chinese (PRC)", codepage.stdout.decode().split()[:2], ["936", "_ForceCodepage"])

check("no custom actions", table("CustomAction"), [])
sequence = [row[0] for row in table("InstallExecuteSequence")]
check("no reboot scheduled or forced", [a for a in sequence if "Reboot" in a], [])
check("older versions removed on upgrade", "RemoveExistingProducts" in sequence, True)
check("upgrade rows for the one upgrade code", sorted({row[0] for row in table("Upgrade")}), [UPGRADE_CODE])
# (0x200: up to this version itself, so that the other processor's package
# of the same version is replaced, not joined)
check("replaces every version up to its own", [(row[2], (int(row[4]) & 0x200) != 0) for row in table("Upgrade")
                                               if row[2]], [(version, True)])
launch = [row[0] for row in table("LaunchCondition")]
check("refuses 32-bit Windows", "VersionNT64" in launch, processor == "x64")

directories = {row[0]: row for row in table("Directory")}
check("installs into Program Files of its processor", directories["INSTALLDIR"][1:3],
      ["ProgramFiles64Folder" if processor == "x64" else "ProgramFilesFolder", "dbmconv"])
components = table("Component")
check("one component, 64-bit only for x64", [(int(row[3]) & 256) != 0 for row in components], [processor == "x64"])
check("one file", [row[2].split("|")[-1] for row in table("File")], ["dbmconv.exe"])
shortcuts = table("Shortcut")
check("one Start-menu shortcut named as the window",
      [(row[1], row[2].split("|")[-1], row[8]) for row in shortcuts],
      [("ProgramMenuFolder", "功率和dBm换算", "dbmconv.ico")])
check("its icon in the package", [row[0] for row in table("Icon")], ["dbmconv.ico"])
check.exit()

#!/usr/bin/env python3
"""Installs, upgrades and removes the package under Wine, in a prefix of its own, and checks what
each step leaves: files, Start menu shortcut, Apps & features entry, the program key's values, and
the user's tweak backup, which removal must leave alone.

Usage: msi_wine_test.py MSI PROGRAM_DIR WEB_HOST PREFIX WINE_ENV_SH E2E_DRIVER
                        [X86_MSI X86_PROGRAM_DIR]

MSI is the x64 package of the 64-bit build; the installed program is started and worked by the
end-to-end driver E2E_DRIVER (its case InstalledProgram.*) between install and uninstall. The x86
release package, when given and built, is installed and removed too.
"""
import hashlib
import os
import shutil
import subprocess
import sys
import tempfile
import uuid

MSI, PROGRAM_DIR, WEB_HOST, PREFIX, WINE_ENV, E2E_DRIVER = sys.argv[1:7]
X86_MSI, X86_PROGRAM_DIR = (sys.argv[7:9] + ["", ""])[:2]
FILES = ["Velotune.exe", "VelotuneUpdate.exe", "Velotune.chm", "License.rtf"]
PROGRAM_KEY = r"HKLM\Software\QENTRA\Velotune"
UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall"
VERSION = "4.3.29.2021"
UPGRADE_CODE = "{5B0C7E43-6B1D-4C8E-9F3A-2D6E1A7C4B90}"

env = dict(os.environ, WINEPREFIX=PREFIX, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=",
           LANG="en_US.UTF-8")
env.pop("LC_ALL", None)
failures = []


def check(condition, what):
    print(("ok   " if condition else "FAIL ") + what)
    if not condition:
        failures.append(what)


def shell(script):
    """Runs bash with the project's Wine helpers loaded, in this prefix."""
    return subprocess.run(["bash", "-c", f'. "{WINE_ENV}"; {script}'], env=env,
                          stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                          stderr=subprocess.DEVNULL).returncode


def wine(*args, timeout=180):
    result = subprocess.run(["wine", *args], env=env, stdin=subprocess.DEVNULL,
                            capture_output=True, timeout=timeout)
    return result.returncode, result.stdout.decode("utf-8", "replace")


def dos(path):
    return wine("winepath", "-w", path)[1].strip()


def msiexec(*args):
    # /qn: no user interface at all, as a deployment tool would run it.
    return wine("msiexec", *args, "/qn")[0]


def values(key):
    """The values directly under a registry key: {name: (type, data)}; None when it is missing."""
    rc, out = wine("reg", "query", key)
    if rc != 0:
        return None
    found = {}
    for line in out.splitlines():
        parts = line.strip().split(None, 2)
        if len(parts) >= 2 and parts[1].startswith("REG_"):
            found[parts[0]] = (parts[1], parts[2] if len(parts) > 2 else "")
    return found


def arp_entries():
    """Apps & features entries of the package, in either view of the registry: {code: values}."""
    entries = {}
    for uninstall in (UNINSTALL_KEY, UNINSTALL_KEY.replace("Software", r"Software\Wow6432Node")):
        rc, out = wine("reg", "query", uninstall)
        for line in out.splitlines():
            line = line.strip()
            if line.startswith("HKEY_") and line.rsplit("\\", 1)[-1].startswith("{"):
                entry = values(line.replace("HKEY_LOCAL_MACHINE", "HKLM"))
                if entry and entry.get("DisplayName", ("", ""))[1] == "Velotune":
                    entries[line.rsplit("\\", 1)[-1]] = entry
    return entries


# Where each package puts the program and its key: its own side of a 64-bit Windows.
LAYOUT = {
    "x64": ("Program Files", PROGRAM_KEY),
    "x86": ("Program Files (x86)", r"HKLM\Software\Wow6432Node\QENTRA\Velotune"),
}


def install_dir(arch="x64"):
    return os.path.join(PREFIX, "drive_c", LAYOUT[arch][0], "QENTRA", "Velotune")


def shortcuts():
    """Velotune.lnk wherever the Start menu of the machine or the user keeps programs."""
    found = []
    for root, _, files in os.walk(os.path.join(PREFIX, "drive_c")):
        if "Start Menu" in root and "Velotune.lnk" in files:
            found.append(os.path.join(root, "Velotune.lnk"))
    return found


def digest(path):
    with open(path, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()


def plant_user_state():
    """What earlier use of the program leaves in its key: choices, the Restore flag, the backup of
    five values and the record of the others."""
    for name, kind, data in [("Restore", "REG_DWORD", "1"), ("MinAnimate", "REG_SZ", "0"),
                             ("Win32PrioritySeparation", "REG_DWORD", "38"),
                             ("ProcessorType", "REG_DWORD", "1")]:
        wine("reg", "add", PROGRAM_KEY, "/v", name, "/t", kind, "/d", data, "/f")
    wine("reg", "add", PROGRAM_KEY + r"\PriorState", "/v", "HKEY_CURRENT_USER\\x", "/t",
         "REG_BINARY", "/d", "00", "/f")


def check_user_state(when):
    key = values(PROGRAM_KEY) or {}
    check(key.get("Restore") == ("REG_DWORD", "0x1") and key.get("MinAnimate") == ("REG_SZ", "0")
          and key.get("Win32PrioritySeparation") == ("REG_DWORD", "0x26")
          and key.get("ProcessorType") == ("REG_DWORD", "0x1"),
          f"{when}: the user's choices and backup are untouched")
    check("HKEY_CURRENT_USER\\x" in (values(PROGRAM_KEY + r"\PriorState") or {}),
          f"{when}: the record of the previous values is untouched")


def check_installed(when, language, version=VERSION, arch="x64", program_dir=PROGRAM_DIR):
    folder = install_dir(arch)
    present = [f for f in FILES if os.path.isfile(os.path.join(folder, f))]
    check(present == FILES, f"{when}: the four files in Program Files\\QENTRA\\Velotune ({present})")
    same = all(digest(os.path.join(folder, f)) == digest(os.path.join(program_dir, f))
               for f in present)
    check(same, f"{when}: installed files are the built ones")
    check(len(shortcuts()) == 1, f"{when}: one Start menu shortcut ({shortcuts()})")
    key = values(LAYOUT[arch][1]) or {}
    check(key.get("Language") == ("REG_SZ", language), f"{when}: Language is {language} ({key.get('Language')})")
    check(key.get("Updated") == ("REG_DWORD", "0x1"), f"{when}: Updated is set")
    entries = arp_entries()
    check(len(entries) == 1, f"{when}: one Apps & features entry ({len(entries)})")
    for code, entry in entries.items():
        get = lambda name: entry.get(name, ("", ""))[1]
        check(get("DisplayVersion") == version and get("Publisher") == "QENTRA"
              and get("HelpLink") == f"http://{WEB_HOST}/support/"
              and get("URLInfoAbout") == f"http://{WEB_HOST}/",
              f"{when}: entry shows version {version}, publisher, help and home links")
        # Wine keeps the icon with the product's registration, Windows also as DisplayIcon.
        icon = os.path.join(PREFIX, "drive_c", "windows", "Installer", code, "VelotuneIcon")
        check(os.path.isfile(icon), f"{when}: the entry's icon is kept")


def run_installed_program():
    """The installed program worked by the end-to-end driver: F1, the licence link and the updates
    button open what the package installed beside it. Output goes to a file: the processes the
    program starts must not keep a pipe of this script open."""
    folder = dos(install_dir()) + "\\"
    with tempfile.TemporaryFile() as output:
        try:
            rc = subprocess.run(["wine", E2E_DRIVER, "--gtest_filter=InstalledProgram.*"],
                                env=dict(env, VT_E2E_INSTALLED=folder), stdin=subprocess.DEVNULL,
                                stdout=output, stderr=subprocess.STDOUT, timeout=300).returncode
        except subprocess.TimeoutExpired:
            rc = -1
        output.seek(0)
        text = output.read().decode("utf-8", "replace")
    print("\n".join("     " + line for line in text.splitlines()))
    check(rc == 0 and "[  PASSED  ] 1 test" in text,
          "the installed program opens its help file, licence text and updater")


def check_removed(when, arch="x64"):
    left = [os.path.join(root, name) for root, _, names in os.walk(install_dir(arch))
            for name in names]
    check(left == [], f"{when}: no file left in the program folder ({left})")
    check(not os.path.exists(install_dir(arch)), f"{when}: the program folder is gone")
    check(not os.path.exists(os.path.dirname(install_dir(arch))),
          f"{when}: the QENTRA folder is gone")
    check(shortcuts() == [], f"{when}: the shortcut is gone")
    key = values(LAYOUT[arch][1]) or {}
    check("Language" not in key and "Updated" not in key, f"{when}: Language and Updated are gone")
    check(arp_entries() == {}, f"{when}: no Apps & features entry")


def newer_package(folder, version):
    """A copy of the package as the next release would be: same upgrade code, new product code
    and version."""
    code = "{" + str(uuid.uuid4()).upper() + "}"
    copy = os.path.join(folder, f"Velotune-{version}-{code}.msi")
    shutil.copy(MSI, copy)
    # Every build is a package of its own: a new package code in the summary information.
    template = subprocess.run(["msiinfo", "suminfo", copy], capture_output=True, text=True,
                              check=True).stdout.split("Template: ")[1].split("\n")[0]
    subprocess.run(["msibuild", copy, "-s", "Installation Database", "QENTRA", template,
                    "{" + str(uuid.uuid4()).upper() + "}"], check=True, capture_output=True)
    for query in [
        f"UPDATE Property SET Value = '{version}' WHERE Property = 'ProductVersion'",
        f"UPDATE Property SET Value = '{code}' WHERE Property = 'ProductCode'",
        "DELETE FROM Upgrade",
        "INSERT INTO Upgrade (UpgradeCode, VersionMax, Attributes, ActionProperty) VALUES "
        f"('{UPGRADE_CODE}', '{version}', 513, 'WIX_UPGRADE_DETECTED')",
        "INSERT INTO Upgrade (UpgradeCode, VersionMin, Attributes, ActionProperty) VALUES "
        f"('{UPGRADE_CODE}', '{version}', 2, 'WIX_DOWNGRADE_DETECTED')",
    ]:
        subprocess.run(["msibuild", copy, "-q", query], check=True, capture_output=True)
    return copy


def main():
    if shell("vt_wine_ensure_prefix") != 0:
        print("FAIL could not prepare the Wine prefix")
        return 1
    try:
        msi = dos(MSI)
        # Start from a machine without Velotune, where the program once ran.
        for code in arp_entries():
            msiexec("/x", code)
        wine("reg", "delete", PROGRAM_KEY, "/f")
        plant_user_state()

        check(msiexec("/i", msi) == 0, "install")
        check_installed("install", "english")
        check_user_state("install")
        run_installed_program()

        check(msiexec("/x", msi) == 0, "uninstall")
        check_removed("uninstall")
        check_user_state("uninstall")

        check(msiexec("/i", msi, "LANGUAGE=korean") == 0, "install with LANGUAGE=korean")
        check_installed("LANGUAGE=korean", "korean")

        with tempfile.TemporaryDirectory() as folder:
            # The next release replaces what is installed and keeps the language chosen before.
            newer = dos(newer_package(folder, "4.3.30.0"))
            check(msiexec("/i", newer) == 0, "upgrade to 4.3.30.0")
            check_installed("upgrade to 4.3.30.0", "korean", "4.3.30.0")
            # A rebuild of the same version never installs beside it. (Windows replaces the
            # installed one; Wine 8 counts the equal version as a downgrade and refuses.)
            rebuild = dos(newer_package(folder, "4.3.30.0"))
            if msiexec("/i", rebuild) == 0:
                newer = rebuild
            check_installed("rebuild of 4.3.30.0", "korean", "4.3.30.0")
            check(msiexec("/i", msi) != 0, "an older package refuses to install over a newer one")
            check_installed("after refused downgrade", "korean", "4.3.30.0")
            check(msiexec("/x", newer) == 0, "uninstall the upgrade")
        check_removed("uninstall after upgrades")
        check_user_state("uninstall after upgrades")

        if X86_MSI and os.path.isfile(X86_MSI):
            # The release package. This Wine has no 32-bit side, so the package's 32-bit
            # custom action could not run: the language is given, which needs none.
            x86 = dos(X86_MSI)
            check(msiexec("/i", x86, "LANGUAGE=korean") == 0, "x86 release: install")
            check_installed("x86 release", "korean", arch="x86", program_dir=X86_PROGRAM_DIR)
            check(msiexec("/x", x86) == 0, "x86 release: uninstall")
            check_removed("x86 release: uninstall", arch="x86")
        else:
            print("skip the x86 release package: not built")
    finally:
        wine("reg", "delete", PROGRAM_KEY, "/f")
        shell("vt_wine_stop")
    print(f"{len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/python3
"""Checks the winget and Scoop manifests that scripts/package.sh wrote into
the dist folder: each valid by the project's schemas (packaging/schemas),
the hashes those of the built files, the addresses made from
packaging/release-base-url, the versions that of CMakeLists.txt, and the
uninstall entry's names those that packaging/kavelo.nsi writes. The schemas
themselves must reject a table of broken manifests.

    /usr/bin/python3 check_manifests.py --dist-dir D
"""
import argparse
import copy
import hashlib
import json
import re
import sys
from pathlib import Path

import jsonschema
import yaml

REPO = Path(__file__).resolve().parents[2]
SCHEMAS = {p.name: json.loads(p.read_text()) for p in (REPO / "packaging/schemas").glob("*.json")}
DELETE = object()

# (manifest, path, value): each change alone makes the manifest invalid.
BROKEN = [
    ("installer", ("Scope",), "users"),
    ("installer", ("InstallerType",), "nsis"),
    ("installer", ("Installers", 0, "Architecture"), "amd64"),
    ("installer", ("Installers", 0, "InstallerSha256"), "D90304"),
    ("installer", ("Installers", 0, "InstallerSha256"), 1234567890123456789012345678901234567890),
    ("installer", ("Installers", 0, "InstallerUrl"), "ftp://example.org/k.exe"),
    ("installer", ("Installers", 0, "InstallerUrl"), DELETE),
    ("installer", ("PackageIdentifier",), "Kavelo"),
    ("installer", ("PackageVersion",), 1.1),
    ("installer", ("ManifestVersion",), "1.9.0"),
    ("installer", ("AppsAndFeaturesEntries", 0, "InstallerType"), "NSIS"),
    ("defaultLocale", ("License",), "MI"),
    ("defaultLocale", ("ShortDescription",), DELETE),
    ("defaultLocale", ("PackageLocale",), "English (US)"),
    ("version", ("ManifestType",), "singleton"),
    ("scoop", ("architecture", "64bit", "hash"), "sha256:d903"),
    ("scoop", ("architecture", "64bit", "url"), "https://example.org/k-$version.zip"),
    ("scoop", ("version",), "1.1.0 beta"),
    ("scoop", ("shortcuts", 0), ["Kavelo.exe"]),
    ("scoop", ("persist",), "Kavelo"),
]


def problems(doc, kind):
    schema = SCHEMAS["scoop.json" if kind == "scoop" else f"winget-{kind}.json"]
    resolver = jsonschema.RefResolver.from_schema(schema, store={s["$id"]: s for s in SCHEMAS.values()})
    validator = jsonschema.Draft7Validator(schema, resolver=resolver)
    return [f"{kind}: /{'/'.join(map(str, e.absolute_path))}: {e.message}" for e in validator.iter_errors(doc)]


def broken(doc, path, value):
    doc = copy.deepcopy(doc)
    parent = doc
    for step in path[:-1]:
        parent = parent[step]
    if value is DELETE:
        del parent[path[-1]]
    else:
        parent[path[-1]] = value
    return doc


def sha256(path):
    return hashlib.sha256(path.read_bytes()).hexdigest()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--dist-dir", type=Path, required=True)
    dist = parser.parse_args().dist_dir
    version = re.search(r"project\(Kavelo VERSION ([0-9.]+)", (REPO / "CMakeLists.txt").read_text())[1]
    base = next(l.strip() for l in (REPO / "packaging/release-base-url").read_text().splitlines()
                if l.strip() and not l.startswith("#")).rstrip("/")
    nsi = dict(re.findall(r'^!define (\w+) "(.*)"$', (REPO / "packaging/kavelo.nsi").read_text(), re.M))
    installer, zipped = (dist / f"Kavelo-{version}-win64{s}" for s in ("-installer.exe", ".zip"))

    folders = list((dist / "winget/manifests").glob(f"*/*/*/{version}"))
    if len(folders) != 1:
        print(f"FAIL: not one winget folder of version {version}: {folders}")
        return 1
    docs = {}
    for path in folders[0].glob("*.yaml"):
        doc = yaml.safe_load(path.read_text())
        docs[doc["ManifestType"]] = doc
        docs[doc["ManifestType"] + ".file"] = path
    installer_text = docs["installer.file"].read_text()
    docs["scoop"] = json.loads((dist / "scoop/kavelo.json").read_text())
    wid, entry, app = docs["version"]["PackageIdentifier"], docs["installer"]["AppsAndFeaturesEntries"][0], \
        docs["scoop"]["architecture"]["64bit"]
    expected = [
        ("winget folder", folders[0].relative_to(dist / "winget/manifests").as_posix(),
         f"{wid[0].lower()}/{wid.replace('.', '/')}/{version}"),
        ("winget files", sorted(p.name for p in folders[0].iterdir()),
         sorted(f"{wid}{s}.yaml" for s in ("", ".installer", f".locale.{docs['version']['DefaultLocale']}"))),
        ("versions", {d["PackageVersion"] for d in (docs["version"], docs["installer"], docs["defaultLocale"])}
         | {entry["DisplayVersion"], docs["scoop"]["version"]}, {version}),
        ("installer hash", docs["installer"]["Installers"][0]["InstallerSha256"].lower(), sha256(installer)),
        ("installer address", docs["installer"]["Installers"][0]["InstallerUrl"],
         f"{base}/download/v{version}/{installer.name}"),
        ("zip hash", app["hash"], sha256(zipped)),
        ("zip address", app["url"], f"{base}/download/v{version}/{zipped.name}"),
        ("next zip address", docs["scoop"]["autoupdate"]["architecture"]["64bit"]["url"].replace(
            "$version", version), app["url"]),
        ("uninstall entry", (entry["ProductCode"], docs["installer"]["ProductCode"], entry["DisplayName"],
                             entry["Publisher"]),
         (nsi["UNINSTALL_KEY"].rsplit("\\", 1)[1],) * 2 + (nsi["PRODUCT"], nsi["PUBLISHER"])),
        # A hash of digits alone stays a string: the template quotes it.
        ("digits-only hash", problems(yaml.safe_load(installer_text.replace(
            docs["installer"]["Installers"][0]["InstallerSha256"], "1" * 64)), "installer"), []),
    ]
    failures = [f"{what}: {got!r}, expected {want!r}" for what, got, want in expected if got != want]
    for kind in ("version", "defaultLocale", "installer", "scoop"):
        failures += problems(docs[kind], kind)
    failures += [f"schema accepts {kind} with {'/'.join(map(str, path))} = {value!r}"
                 for kind, path, value in BROKEN if not problems(broken(docs[kind], path, value), kind)]
    for f in failures:
        print("FAIL:", f)
    print(f"checked {folders[0]} and {dist / 'scoop/kavelo.json'}: {len(failures)} problems")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

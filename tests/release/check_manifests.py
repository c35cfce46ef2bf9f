#!/usr/bin/python3
"""Checks the winget and Scoop manifests that scripts/package.sh wrote into
the dist folder: valid by packaging/schemas, with the built files' hashes,
addresses from packaging/release-base-url, the version of CMakeLists.txt and
the uninstall entry's names from packaging/kavelo.nsi. The schemas must also
reject each broken manifest of a table.

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
    ("defaultLocale", ("License",), "MI"),
    ("defaultLocale", ("ShortDescription",), DELETE),
    ("version", ("ManifestType",), "singleton"),
    ("scoop", ("architecture", "64bit", "hash"), "sha256:d903"),
    ("scoop", ("architecture", "64bit", "url"), "https://example.org/k-$version.zip"),
    ("scoop", ("version",), "1.1.0 beta"),
    ("scoop", ("shortcuts", 0), ["Kavelo.exe"]),
]


def problems(doc, kind):
    schema = SCHEMAS["scoop.json" if kind == "scoop" else f"winget-{kind}.json"]
    resolver = jsonschema.RefResolver.from_schema(schema, store={s["$id"]: s for s in SCHEMAS.values()})
    errors = jsonschema.Draft7Validator(schema, resolver=resolver).iter_errors(doc)
    return [f"{kind}: /{'/'.join(map(str, e.absolute_path))}: {e.message}" for e in errors]


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


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--dist-dir", type=Path, required=True)
    dist = parser.parse_args().dist_dir
    version = re.search(r"project\(Kavelo VERSION ([0-9.]+)", (REPO / "CMakeLists.txt").read_text())[1]
    base = next(l.strip() for l in (REPO / "packaging/release-base-url").read_text().splitlines()
                if l.strip() and not l.startswith("#")).rstrip("/") + f"/download/v{version}/"
    nsi = dict(re.findall(r'^!define (\w+) "(.*)"$', (REPO / "packaging/kavelo.nsi").read_text(), re.M))
    files = {k: dist / f"Kavelo-{version}-win64{s}" for k, s in (("exe", "-installer.exe"), ("zip", ".zip"))}
    sha = {k: hashlib.sha256(f.read_bytes()).hexdigest() for k, f in files.items()}

    folder, = (dist / "winget/manifests").glob(f"*/*/*/{version}")
    texts = {p.name: p.read_text() for p in folder.glob("*.yaml")}
    docs = {d["ManifestType"]: d for d in map(yaml.safe_load, texts.values())}
    docs["scoop"] = json.loads((dist / "scoop/kavelo.json").read_text())
    wid, setup, entry = docs["version"]["PackageIdentifier"], docs["installer"]["Installers"][0], \
        docs["installer"]["AppsAndFeaturesEntries"][0]
    app, locale = docs["scoop"]["architecture"]["64bit"], docs["version"]["DefaultLocale"]
    digits_only = next(t for t in texts.values() if "InstallerSha256" in t).replace(setup["InstallerSha256"], "1" * 64)
    expected = [
        ("winget folder", folder.relative_to(dist / "winget/manifests").as_posix(),
         f"{wid[0].lower()}/{wid.replace('.', '/')}/{version}"),
        ("winget files", sorted(texts), sorted(f"{wid}{s}.yaml" for s in ("", ".installer", f".locale.{locale}"))),
        ("versions", {d["PackageVersion"] for k, d in docs.items() if k != "scoop"}
         | {entry["DisplayVersion"], docs["scoop"]["version"]}, {version}),
        ("hashes", (setup["InstallerSha256"].lower(), app["hash"]), (sha["exe"], sha["zip"])),
        ("addresses", (setup["InstallerUrl"], app["url"], docs["scoop"]["autoupdate"]["architecture"]["64bit"]
                       ["url"].replace("$version", version)),
         (base + files["exe"].name, base + files["zip"].name, base + files["zip"].name)),
        ("uninstall entry", (entry["ProductCode"], docs["installer"]["ProductCode"], entry["DisplayName"],
                             entry["Publisher"]),
         (nsi["UNINSTALL_KEY"].rsplit("\\", 1)[1],) * 2 + (nsi["PRODUCT"], nsi["PUBLISHER"])),
        # A hash of digits alone must stay a string: the template quotes it.
        ("digits-only hash", problems(yaml.safe_load(digits_only), "installer"), []),
    ]
    failures = [f"{what}: {got!r}, expected {want!r}" for what, got, want in expected if got != want]
    for kind in ("version", "defaultLocale", "installer", "scoop"):
        failures += problems(docs[kind], kind)
    failures += [f"schema accepts {kind} with {'/'.join(map(str, path))} = {value!r}"
                 for kind, path, value in BROKEN if not problems(broken(docs[kind], path, value), kind)]
    for f in failures:
        print("FAIL:", f)
    print(f"checked {folder} and {dist / 'scoop/kavelo.json'}: {len(failures)} problems")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

# Reads an exported DXF file with ezdxf, an independent reader, and checks
# it against the expectations the test wrote as JSON. Exit status 1 lists
# every mismatch.
import json
import math
import sys
import ezdxf

doc = ezdxf.readfile(sys.argv[1])
want = json.load(open(sys.argv[2]))
faults = []

def check(what, got, expected, tol=1e-6):
    if isinstance(expected, (int, float)) and not isinstance(expected, bool):
        if not math.isclose(got, expected, abs_tol=tol):
            faults.append(f"{what}: {got} != {expected}")
    elif got != expected:
        faults.append(f"{what}: {got!r} != {expected!r}")

check("version", doc.dxfversion >= "AC1015", True)
if doc.audit().has_errors:
    faults.append("audit: " + "; ".join(str(e.message) for e in doc.audit().errors))
msp = list(doc.modelspace())
counts = {}
for e in msp:
    counts[e.dxftype()] = counts.get(e.dxftype(), 0) + 1
check("entity counts", counts, want["counts"])
for name, off in want["layers"].items():
    layer = doc.layers.get(name) if doc.layers.has_entry(name) else None
    if layer is None:
        faults.append(f"layer {name} missing")
    else:
        check(f"layer {name} off", layer.is_off(), off)
for i, wanted_entity in enumerate(want["entities"]):
    matches = [e for e in msp if e.dxftype() == wanted_entity["type"] and e.dxf.layer == wanted_entity["layer"]]
    if not matches:
        faults.append(f"entity {i}: no {wanted_entity['type']} on {wanted_entity['layer']}")
        continue
    e = matches[0]
    for key, value in wanted_entity.get("attribs", {}).items():
        got = e.dxf.get(key)
        if isinstance(value, list):
            for k, v in enumerate(value):
                check(f"{wanted_entity['type']}.{key}[{k}]", got[k], v)
        else:
            check(f"{wanted_entity['type']}.{key}", got, value)
    if "vertices" in wanted_entity:
        points = [tuple(p) for p in e.get_points("xyb")]
        check(f"{wanted_entity['type']} vertex count", len(points), len(wanted_entity["vertices"]))
        for (x, y, b), (wx, wy, wb) in zip(points, wanted_entity["vertices"]):
            check("vertex x", x, wx); check("vertex y", y, wy); check("bulge", b, wb)
    if "control_points" in wanted_entity:
        cps = [tuple(p) for p in e.control_points]
        check("control point count", len(cps), len(wanted_entity["control_points"]))
        for (x, y, _), (wx, wy) in zip(cps, wanted_entity["control_points"]):
            check("control x", x, wx); check("control y", y, wy)
if faults:
    print("\n".join(faults))
    sys.exit(1)

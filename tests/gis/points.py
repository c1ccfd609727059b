"""Points for the GIS checks: `make DIRECTION COUNT` writes seeded random "NR X Y H" lines in the box of
the direction's input area (zelwan's gate then keeps those inside); `compare LABEL EXPECTED ACTUAL
XY_TOLERANCE H_TOLERANCE` ("-" skips) prints the largest differences over the points both hold, which
must be nearly all of ACTUAL's."""
import random
import sys

BOXES = [((-26109, -19106), (298298, 306228)), ((5534838, 5541730), (7411639, 7419590)),
         ((5383527, 5434675), (4524665, 4586463)), ((5526321, 5577503), (7393488, 7455297))]


def read(path):
    return {f[0]: [float(v) for v in f[1:4]] for f in (line.split() for line in open(path)) if f}


if sys.argv[1] == "make":
    (x0, x1), (y0, y1) = BOXES[int(sys.argv[2])]
    rng = random.Random(18 + int(sys.argv[2]))
    for k in range(int(sys.argv[3])):
        print(k + 1, f"{rng.uniform(x0, x1):.3f} {rng.uniform(y0, y1):.3f} {rng.uniform(150, 500):.3f}")
else:
    label, expected, actual, xy_tolerance, h_tolerance = sys.argv[2:7]
    a, b = read(expected), read(actual)
    both = a.keys() & b.keys()
    dxy = max(max(abs(a[k][i] - b[k][i]) for i in (0, 1)) for k in both)
    dh = max(abs(a[k][2] - b[k][2]) for k in both)
    print(f"{label}: {len(both)} points, largest difference XY {dxy:.1e} m" + (f", H {dh:.1e} m" if h_tolerance != "-" else ""))
    if len(both) < max(100, 0.99 * len(b)) or any(t != "-" and not d <= float(t) for d, t in ((dxy, xy_tolerance), (dh, h_tolerance))):
        sys.exit(f"FAIL {label}: beyond {xy_tolerance} m (XY) or {h_tolerance} m (H), or points lost")

"""`transform.py pyproj|qgis SOURCE TARGET`: "X Y H" lines on standard input through pyproj (on numpy
arrays) or QGIS's own transform (headless), each CRS a code or a WKT file as a user pastes it into
QGIS's custom CRS dialog. X, the northing, comes first; QGIS points are easting first."""
import sys

tool, source, target = sys.argv[1:4]
if tool == "pyproj":
    import numpy
    from pyproj import Transformer

    x, y, h = numpy.loadtxt(sys.stdin, ndmin=2).T
    x, y = Transformer.from_crs(source, target).transform(x, y)
    numpy.savetxt(sys.stdout, numpy.column_stack([x, y, h]), fmt="%.10f")
else:
    from qgis.core import QgsApplication, QgsCoordinateReferenceSystem as Crs, QgsCoordinateTransform, QgsPointXY, QgsProject

    app = QgsApplication([], False)
    app.initQgis()
    crs = [Crs.fromWkt(open(a).read()) if a.endswith(".wkt") else Crs(a) for a in (source, target)]
    transform = QgsCoordinateTransform(crs[0], crs[1], QgsProject.instance())
    for x, y, h in (map(float, line.split()) for line in sys.stdin):
        p = transform.transform(QgsPointXY(y, x))
        print(f"{p.y():.10f} {p.x():.10f} {h}")

"""QGIS's own transform, headless: "X Y H" lines on standard input from argv[1] to argv[2], each a WKT
file (as a user pastes it into the custom CRS dialog) or a code QGIS knows. QGIS points are easting first."""
import sys

from qgis.core import QgsApplication, QgsCoordinateReferenceSystem, QgsCoordinateTransform, QgsPointXY, QgsProject

app = QgsApplication([], False)
app.initQgis()
crs = [QgsCoordinateReferenceSystem.fromWkt(open(a).read()) if a.endswith(".wkt") else QgsCoordinateReferenceSystem(a)
       for a in sys.argv[1:3]]
transform = QgsCoordinateTransform(crs[0], crs[1], QgsProject.instance())
for line in sys.stdin:
    x, y, h = map(float, line.split())
    p = transform.transform(QgsPointXY(y, x))
    print(f"{p.y():.10f} {p.x():.10f} {h}")

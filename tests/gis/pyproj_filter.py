"""pyproj on numpy arrays: "X Y H" lines on standard input from CRS argv[1] to argv[2], axes as the CRSs
declare them (X, north, first in both)."""
import sys

import numpy
from pyproj import Transformer

x, y, h = numpy.loadtxt(sys.stdin, ndmin=2).T
x, y = Transformer.from_crs(sys.argv[1], sys.argv[2]).transform(x, y)
numpy.savetxt(sys.stdout, numpy.column_stack([x, y, h]), fmt="%.10f")

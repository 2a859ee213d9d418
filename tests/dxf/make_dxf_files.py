# Writes the DXF files the import tests open, as another CAD program would:
# every entity type the import takes, nested blocks, BYLAYER colours,
# bulges, a self-referencing block, and entities that have no counterpart.
import sys
import ezdxf

out = sys.argv[1]

doc = ezdxf.new("R2010")
doc.layers.add("WALLS", color=1, lineweight=50)            # red, 0.50 mm
doc.layers.add("HIDDEN", color=3).off()
doc.layers.add("TRUE", true_color=0x123456)
msp = doc.modelspace()
msp.add_line((10, 20), (110, 20), dxfattribs={"layer": "WALLS"})         # BYLAYER red
msp.add_circle((50, 50), 10, dxfattribs={"color": 5, "layer": "HIDDEN"})  # blue
msp.add_arc((50, 50), 20, 0, 90, dxfattribs={"true_color": 0x00FF80})
msp.add_ellipse((100, 100), major_axis=(30, 0), ratio=0.5)
msp.add_ellipse((100, 100), major_axis=(0, 30), ratio=0.5, start_param=0, end_param=1.5707963267948966)
msp.add_lwpolyline([(0, 0, 0, 0, 1), (10, 0), (10, 10)], format="xyseb", close=False)   # bulge 1: half circle
msp.add_lwpolyline([(0, 0), (20, 0), (20, 20), (0, 20)], close=True, dxfattribs={"layer": "TRUE"})
msp.add_polyline2d([(0, 30), (10, 40), (20, 30)])
msp.add_open_spline([(0, 0), (10, 10), (20, 10), (30, 0)], degree=3)
msp.add_spline(fit_points=[(0, 60), (10, 70), (20, 60), (30, 70), (40, 60)])
msp.add_point((5, 5))
msp.add_text("Hello", dxfattribs={"height": 5, "rotation": 30, "insert": (40, 10)})
msp.add_mtext("Line1\\PLine2 {\\fArial;X}", dxfattribs={"char_height": 4, "insert": (40, 30), "attachment_point": 5})
msp.add_solid([(0, 80), (10, 80), (0, 90), (10, 90)])
msp.add_trace([(20, 80), (30, 80), (20, 90), (30, 90)])
hatch = msp.add_hatch(color=2)
hatch.paths.add_polyline_path([(60, 60), (80, 60), (80, 80), (60, 80)], is_closed=True)
pattern = msp.add_hatch(color=2)
pattern.set_pattern_fill("ANSI31")
pattern.paths.add_polyline_path([(60, 60), (80, 60), (80, 80)], is_closed=True)
inner = doc.blocks.new("INNER", base_point=(0, 0))
inner.add_line((0, 0), (1, 0), dxfattribs={"color": 0})       # BYBLOCK colour
outer = doc.blocks.new("OUTER", base_point=(0, 0))
outer.add_blockref("INNER", (0, 0), dxfattribs={"xscale": 2, "yscale": 2, "color": 0})  # passes BYBLOCK on
outer.add_circle((0, 0), 1)
msp.add_blockref("OUTER", (200, 200), dxfattribs={"rotation": 90, "xscale": 10, "yscale": 10, "color": 4})
selfref = doc.blocks.new("LOOP")
selfref.add_line((0, 0), (5, 5))
selfref.add_blockref("LOOP", (1, 1))
msp.add_blockref("LOOP", (300, 300))
msp.add_xline((0, 0), (1, 1))
msp.add_linear_dim(base=(0, -10), p1=(0, 0), p2=(10, 0)).render()
doc.saveas(out + "/every_entity.dxf")

# Texts that reach past every other entity: the image must hold them whole.
# The line is longer than the default limits (420 x 297), so the image is
# the extent.
texts = ezdxf.new("R2000")
t = texts.modelspace()
t.add_line((0, 0), (1000, 0))
t.add_text("ABCDEFGH", dxfattribs={"height": 20, "insert": (0, 10)})    # up to y = 30
t.add_text("R", dxfattribs={"height": 10, "insert": (1000, 0), "rotation": 90})  # left of x = 1000
texts.saveas(out + "/texts_on_top.dxf")

# Many small entities, for the size of the drawing a real plan makes.
count = int(sys.argv[2]) if len(sys.argv) > 2 else 0
if count:
    big = ezdxf.new("R2000")
    m = big.modelspace()
    for i in range(count):
        m.add_line((i % 1000, i // 1000), (i % 1000 + 0.5, i // 1000 + 0.5))
    big.saveas(out + "/many_lines.dxf")

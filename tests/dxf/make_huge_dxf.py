# Writes a DXF of COPIES x 2000 LINE entities as fast as a test can wait for:
# ezdxf writes 2000 lines once, and the ENTITIES section is then repeated,
# each copy moved up by its index and given handles of its own. Line i of
# copy k runs from (i, k + 0.25) to (i + 0.5, k + 0.75).
import os
import re
import sys
import ezdxf

out, copies = sys.argv[1], int(sys.argv[2])
PER_COPY = 2000

doc = ezdxf.new("R2000")
msp = doc.modelspace()
for i in range(PER_COPY):
    msp.add_line((i, 0.25), (i + 0.5, 0.75))
stream_path = out + ".template"
doc.saveas(stream_path)
with open(stream_path, encoding="cp1252") as f:
    whole = f.read()
os.remove(stream_path)

start = whole.index("ENTITIES\n") + len("ENTITIES\n")
end = whole.index("  0\nENDSEC\n", start)
body = whole[start:end]
# Every LINE of the body gets placeholders for its copy's y and handle.
body = re.sub(r"\n 20\n0\.25\n", "\n 20\n@K@.25\n", body)
body = re.sub(r"\n 21\n0\.75\n", "\n 21\n@K@.75\n", body)
body = re.sub(r"\n  5\n([0-9A-F]+)\n", lambda m: "\n  5\n@H@%04X\n" % int(m.group(1), 16), body)
assert body.count("@K@.25") == PER_COPY and body.count("@H@") == PER_COPY

with open(out, "w", encoding="cp1252", newline="") as f:
    f.write(whole[:start])
    for k in range(copies):
        f.write(body.replace("@K@", str(k)).replace("@H@", "%X" % (k + 1)))
    f.write(whole[end:])

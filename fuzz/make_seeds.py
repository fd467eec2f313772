#!/usr/bin/env python3
"""Writes the small seed inputs of the fuzz targets into fuzz/corpus/<target>/.

Every seed is made here from scratch: tiny models in each format the import reads, tiny
images in each format the texture loader reads, and a few synthetic-scene byte strings.
Run it again after changing a seed; the files are kept in the repository.
"""
import json
import os
import random
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
SEP = b"\n----\n"
# The model target's first byte picks the format, in this order.
OBJ, GLTF, GLB, PLY, STL, FBX = range(6)
# The texture target's first byte picks the file name, in this order.
PNG, TGA, BMP, JPG, GIF, SVG, QOI, PNM = range(8)


def write(target, name, data):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


# --- models -------------------------------------------------------------------------------

OBJ_TEXT = b"""mtllib model.mtl
o quad
v 0 0 0
v 1 0 0
v 1 1 0
v 0 1 0
vt 0 0
vt 1 0
vt 1 1
vt 0 1
usemtl red
f 1/1 2/2 3/3 4/4
o line
v 2 0 0
v 3 1 0
l 5 6
usemtl blue
f 1 2 5
"""
MTL_TEXT = b"""newmtl red
Ka 0.1 0 0
Kd 1 0 0
Ks 1 1 1
Ns 20
d 0.5
map_Kd C:\\art\\tex.png
newmtl blue
Kd 0 0 1
Tr 0.2
"""


def gltf_parts(buffer_uri):
    positions = struct.pack("<9f", 0, 0, 0, 1, 0, 0, 0, 1, 0)
    uvs = struct.pack("<6f", 0, 0, 1, 0, 0, 1)
    indices = struct.pack("<3H", 0, 1, 2) + b"\0\0"
    blob = positions + uvs + indices
    doc = {
        "asset": {"version": "2.0"},
        "scene": 0,
        "scenes": [{"nodes": [0]}],
        "nodes": [{"name": "tri", "mesh": 0, "translation": [1, 0, 0], "children": [1]},
                  {"mesh": 0, "scale": [2, 2, 2]}],
        "meshes": [{"primitives": [{"attributes": {"POSITION": 0, "TEXCOORD_0": 1}, "indices": 2,
                                    "material": 0}]}],
        "materials": [{"name": "m", "pbrMetallicRoughness": {"baseColorFactor": [1, 0.5, 0, 1],
                                                            "baseColorTexture": {"index": 0}}}],
        "textures": [{"source": 0}],
        "images": [{"uri": "tex.png"}],
        "buffers": [{"byteLength": len(blob)}],
        "bufferViews": [{"buffer": 0, "byteOffset": 0, "byteLength": 36},
                        {"buffer": 0, "byteOffset": 36, "byteLength": 24},
                        {"buffer": 0, "byteOffset": 60, "byteLength": 6}],
        "accessors": [{"bufferView": 0, "componentType": 5126, "count": 3, "type": "VEC3",
                       "min": [0, 0, 0], "max": [1, 1, 0]},
                      {"bufferView": 1, "componentType": 5126, "count": 3, "type": "VEC2"},
                      {"bufferView": 2, "componentType": 5123, "count": 3, "type": "SCALAR"}],
    }
    if buffer_uri is not None:
        doc["buffers"][0]["uri"] = buffer_uri
    return doc, blob


def glb(doc, blob):
    text = json.dumps(doc, separators=(",", ":")).encode()
    text += b" " * (-len(text) % 4)
    blob += b"\0" * (-len(blob) % 4)
    body = struct.pack("<II", len(text), 0x4E4F534A) + text + struct.pack("<II", len(blob), 0x004E4942) + blob
    return struct.pack("<III", 0x46546C67, 2, 12 + len(body)) + body


PLY_ASCII = b"""ply
format ascii 1.0
comment made by hand
element vertex 4
property float x
property float y
property float z
property float s
property float t
element face 2
property list uchar int vertex_indices
end_header
0 0 0 0 0
1 0 0 1 0
1 1 0 1 1
0 1 0 0 1
3 0 1 2
4 0 1 2 3
"""


def ply_binary():
    head = (b"ply\nformat binary_little_endian 1.0\nelement vertex 3\nproperty float x\n"
            b"property float y\nproperty float z\nelement face 1\n"
            b"property list uchar int vertex_indices\nend_header\n")
    return head + struct.pack("<9f", 0, 0, 0, 1, 0, 0, 0, 1, 0) + struct.pack("<B3i", 3, 0, 1, 2)


STL_ASCII = b"""solid tri
facet normal 0 0 1
outer loop
vertex 0 0 0
vertex 1 0 0
vertex 0 1 0
endloop
endfacet
endsolid tri
"""


def stl_binary():
    tris = [((0, 0, 1), (0, 0, 0), (1, 0, 0), (0, 1, 0)), ((0, 0, 1), (1, 0, 0), (1, 1, 0), (0, 1, 0))]
    out = b"binary stl".ljust(80, b" ") + struct.pack("<I", len(tris))
    for t in tris:
        out += struct.pack("<12fH", *(c for v in t for c in v), 0)
    return out


FBX_ASCII = b"""; FBX 7.4.0 project file
FBXHeaderExtension:  {
	FBXHeaderVersion: 1003
	FBXVersion: 7400
}
GlobalSettings:  {
	Version: 1000
	Properties70:  {
		P: "UpAxis", "int", "Integer", "",1
		P: "UnitScaleFactor", "double", "Number", "",1
	}
}
Objects:  {
	Geometry: 100, "Geometry::tri", "Mesh" {
		Vertices: *9 {
			a: 0,0,0,1,0,0,0,1,0
		}
		PolygonVertexIndex: *3 {
			a: 0,1,-3
		}
		LayerElementUV: 0 {
			Version: 101
			Name: "uv"
			MappingInformationType: "ByPolygonVertex"
			ReferenceInformationType: "Direct"
			UV: *6 {
				a: 0,0,1,0,0,1
			}
		}
		Layer: 0 {
			Version: 100
			LayerElement:  {
				Type: "LayerElementUV"
				TypedIndex: 0
			}
		}
	}
	Model: 200, "Model::tri", "Mesh" {
		Version: 232
		Properties70:  {
			P: "Lcl Translation", "Lcl Translation", "", "A",1,2,3
		}
	}
	Material: 300, "Material::red", "" {
		Version: 102
		ShadingModel: "phong"
		Properties70:  {
			P: "DiffuseColor", "Color", "", "A",1,0,0
			P: "Opacity", "double", "Number", "",0.5
		}
	}
	Texture: 400, "Texture::tex", "" {
		Type: "TextureVideoClip"
		FileName: "tex.png"
		RelativeFilename: "tex.png"
	}
}
Connections:  {
	C: "OO",200,0
	C: "OO",100,200
	C: "OO",300,200
	C: "OP",400,300, "DiffuseColor"
}
"""


def models():
    t = "model_import"
    write(t, "quad.obj_mtl", bytes([OBJ]) + OBJ_TEXT + SEP + MTL_TEXT)
    write(t, "plain.obj", bytes([OBJ]) + b"v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n")
    doc, blob = gltf_parts("model.bin")
    write(t, "tri_bin.gltf", bytes([GLTF]) + json.dumps(doc, indent=1).encode() + SEP + blob)
    doc, blob = gltf_parts(None)
    import base64
    doc["buffers"][0]["uri"] = "data:application/octet-stream;base64," + base64.b64encode(blob).decode()
    write(t, "tri_embedded.gltf", bytes([GLTF]) + json.dumps(doc).encode())
    doc, blob = gltf_parts(None)
    write(t, "tri.glb", bytes([GLB]) + glb(doc, blob))
    write(t, "quad_ascii.ply", bytes([PLY]) + PLY_ASCII)
    write(t, "tri_binary.ply", bytes([PLY]) + ply_binary())
    write(t, "tri_ascii.stl", bytes([STL]) + STL_ASCII)
    write(t, "quad_binary.stl", bytes([STL]) + stl_binary())
    write(t, "tri_ascii.fbx", bytes([FBX]) + FBX_ASCII)


# --- images -------------------------------------------------------------------------------

def png(width, height, color_type, rows, palette=None):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    raw = b"".join(b"\0" + r for r in rows)
    out = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, color_type, 0, 0, 0))
    if palette:
        out += chunk(b"PLTE", palette)
    return out + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b"")


def tga(width, height):
    head = struct.pack("<BBBHHBHHHHBB", 0, 0, 2, 0, 0, 0, 0, 0, width, height, 24, 0x20)
    return head + bytes([0, 0, 255] * width * height)


def bmp(width, height):
    row = bytes([255, 0, 0] * width)
    row += b"\0" * (-len(row) % 4)
    pixels = row * height
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return b"BM" + struct.pack("<IHHI", 14 + len(info) + len(pixels), 0, 0, 54) + info + pixels


def gif():
    # 1 x 1, two-colour global table, one image with a minimal LZW stream.
    return (b"GIF89a" + struct.pack("<HHBBB", 1, 1, 0x80, 0, 0) + b"\xff\x00\x00\x00\x00\xff"
            + b"\x2c" + struct.pack("<HHHHB", 0, 0, 1, 1, 0) + b"\x02\x02\x44\x01\x00" + b"\x3b")


def qoi(width, height):
    out = b"qoif" + struct.pack(">IIBB", width, height, 3, 0)
    for _ in range(width * height):
        out += b"\xfe" + bytes([10, 200, 30])
    return out + b"\0" * 7 + b"\1"


def images():
    t = "texture"
    write(t, "rgb.png", bytes([PNG]) + png(3, 2, 2, [bytes([255, 0, 0, 0, 255, 0, 0, 0, 255])] * 2))
    write(t, "rgba.png", bytes([PNG]) + png(2, 2, 6, [bytes([1, 2, 3, 255, 4, 5, 6, 128])] * 2))
    write(t, "palette.png", bytes([PNG]) + png(2, 1, 3, [bytes([0, 1])], palette=bytes([255, 0, 0, 0, 0, 255])))
    write(t, "gray.png", bytes([PNG]) + png(2, 2, 0, [bytes([0, 255])] * 2))
    write(t, "rgb.tga", bytes([TGA]) + tga(3, 2))
    write(t, "rgb.bmp", bytes([BMP]) + bmp(3, 2))
    write(t, "one.gif", bytes([GIF]) + gif())
    write(t, "square.svg", bytes([SVG]) + b'<svg xmlns="http://www.w3.org/2000/svg" width="4" height="4">'
          b'<rect width="4" height="2" fill="#f00"/><circle cx="2" cy="3" r="1" fill="blue"/></svg>')
    write(t, "rgb.qoi", bytes([QOI]) + qoi(2, 2))
    write(t, "rgb.ppm", bytes([PNM]) + b"P6\n2 1\n255\n" + bytes([255, 0, 0, 0, 0, 255]))
    write(t, "gray.pgm", bytes([PNM]) + b"P2\n2 2\n15\n0 15\n15 0\n")


# --- synthetic scenes ---------------------------------------------------------------------

def scenes():
    t = "scene_copy"
    # shape 0; one mesh (present) of 3 vertices and one triangle; one material; a root node
    # naming mesh 0; read in the order the decoder asks for values.
    tri = bytes([
        0,            # shape: all arrays present, root node present
        1,            # one mesh
        1,            # that mesh is not null
        0, 0,         # material index 0
        3,            # three vertices
        1,            # vertex array present
        0, 0, 0, 0, 0, 0,  0, 8, 0, 0, 0, 0,  0, 0, 0, 8, 0, 0,
        1,            # with texture coordinates
        0,            # two components
        0, 0, 0, 0,  0, 8, 0, 0,  0, 0, 0, 8,
        1,            # one face
        1,            # face array present
        3, 1, 0, 0, 0, 1, 0, 2,  # three corners: 0 1 2
        1,            # one material
        2,            # two properties
        2, 0, 0, 2, 0, 0, 8, 0, 8, 0, 8,  # diffuse colour as three floats
        7, 1, 0, 0, 3, 0,                      # diffuse texture "tex.png"
        0,            # root name: empty
        0,            # identity matrix
        1, 1, 0, 0,   # one mesh reference: mesh 0
        0,            # no children
        1,            # with the shader
    ])
    write(t, "triangle.bin", tri)
    rng = random.Random(7)
    for i in range(4):
        write(t, "random%d.bin" % i, bytes(rng.randrange(256) for _ in range(64 + 64 * i)))


if __name__ == "__main__":
    models()
    images()
    scenes()

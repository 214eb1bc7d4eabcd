#!/usr/bin/env python3
"""Writes a network of 1,000 segments in which every user is short of pressure: a trunk of 500
segments from the boiler house, each trunk node feeding one user by a branch of its own, every
user asking for 1.05 MPa(g) from a source of 1.0 MPa(g). Its status line would name 500 users;
the window must still fit the screen. Usage: short_users_network.py OUT.json"""

import json
import sys

TRUNK = 500


def network():
    segments = []
    for i in range(1, TRUNK + 1):
        segments.append({"name": f"T{i}", "from": "S" if i == 1 else f"N{i - 1}", "to": f"N{i}",
                         "length": 10.0, "localLoss": 20.0, "pipe": "auto", "load": 0.0,
                         "requiredPressure": None})
        segments.append({"name": f"B{i}", "from": f"N{i}", "to": f"U{i}", "length": 20.0,
                         "localLoss": 20.0, "pipe": "auto", "load": 0.1,
                         "requiredPressure": 1.05})
    return {"format": "steam-network", "version": 1, "title": "千段管网：用户压力均不足",
            "source": {"node": "S", "pressure": 1.0, "unit": "MPa(g)", "steam": "saturated"},
            "roughness": 0.2, "series": "seamless", "maxSpecificLoss": None,
            "segments": segments}


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    with open(sys.argv[1], "w", encoding="utf-8") as out:
        json.dump(network(), out, ensure_ascii=False, indent=1)
        out.write("\n")

#!/usr/bin/env python3
"""Writes a synthetic WMS capabilities document with a given number of layers, for parse_bench.

Layers come in groups of 50 under one root, each with what real servers write: title, abstract,
keywords, a reference system, geographic and projected boxes, a style with a legend. The root
states --root-srs reference systems that every layer inherits.
Usage: gen_capabilities.py LAYERS OUTPUT [--version 1.1.1|1.3.0] [--root-srs N]
"""
import argparse
import random


def layer(out, i, v13, rnd):
    srs_tag = 'CRS' if v13 else 'SRS'
    x, y = rnd.uniform(-170, 160), rnd.uniform(-80, 70)
    out.write(f'      <Layer queryable="1" opaque="0">\n'
              f'        <Name>workspace:layer_{i:06d}</Name>\n'
              f'        <Title>Layer {i} &amp; its &lt;data&gt; ({rnd.choice(["roads", "rivers", "parcels", "wells"])})</Title>\n'
              f'        <Abstract>Synthetic layer number {i}. Surveyed features of the region, updated '
              f'yearly; attributes include identifiers, dates and classification codes.</Abstract>\n'
              f'        <KeywordList><Keyword>features</Keyword><Keyword>layer{i}</Keyword>'
              f'<Keyword>synthetic</Keyword></KeywordList>\n'
              f'        <{srs_tag}>EPSG:{26900 + i % 30}</{srs_tag}>\n')
    if v13:
        out.write(f'        <EX_GeographicBoundingBox><westBoundLongitude>{x:.6f}</westBoundLongitude>'
                  f'<eastBoundLongitude>{x + 5:.6f}</eastBoundLongitude><southBoundLatitude>{y:.6f}'
                  f'</southBoundLatitude><northBoundLatitude>{y + 5:.6f}</northBoundLatitude>'
                  f'</EX_GeographicBoundingBox>\n')
    else:
        out.write(f'        <LatLonBoundingBox minx="{x:.6f}" miny="{y:.6f}" maxx="{x + 5:.6f}" maxy="{y + 5:.6f}"/>\n')
    out.write(f'        <BoundingBox {srs_tag}="EPSG:{26900 + i % 30}" minx="{x * 1e4:.3f}" miny="{y * 1e4:.3f}" '
              f'maxx="{(x + 5) * 1e4:.3f}" maxy="{(y + 5) * 1e4:.3f}"/>\n'
              f'        <Style><Name>default</Name><Title>Default style of layer {i}</Title>\n'
              f'          <LegendURL width="20" height="20"><Format>image/png</Format>\n'
              f'            <OnlineResource xmlns:xlink="http://www.w3.org/1999/xlink" xlink:type="simple" '
              f'xlink:href="http://127.0.0.1/wms?REQUEST=GetLegendGraphic&amp;LAYER=workspace:layer_{i:06d}"/>\n'
              f'          </LegendURL></Style>\n'
              f'      </Layer>\n')


def main():
    p = argparse.ArgumentParser()
    p.add_argument('layers', type=int)
    p.add_argument('output')
    p.add_argument('--version', default='1.1.1', choices=['1.1.1', '1.3.0'])
    p.add_argument('--root-srs', type=int, default=200)
    a = p.parse_args()
    v13 = a.version == '1.3.0'
    rnd = random.Random(a.layers)
    srs_tag = 'CRS' if v13 else 'SRS'
    root = 'WMS_Capabilities' if v13 else 'WMT_MS_Capabilities'
    ns = ' xmlns="http://www.opengis.net/wms"' if v13 else ''
    with open(a.output, 'w', encoding='utf-8', newline='\n') as out:
        out.write('<?xml version="1.0" encoding="UTF-8"?>\n')
        if not v13:
            out.write('<!DOCTYPE WMT_MS_Capabilities SYSTEM "http://127.0.0.1/wms/capabilities_1_1_1.dtd">\n')
        out.write(f'<{root} version="{a.version}"{ns} xmlns:xlink="http://www.w3.org/1999/xlink">\n'
                  '<Service><Name>OGC:WMS</Name><Title>Synthetic server</Title>\n'
                  f'<Abstract>{a.layers} generated layers</Abstract>\n'
                  '<ContactInformation><ContactPersonPrimary><ContactPerson>Nobody</ContactPerson>'
                  '<ContactOrganization>Bench</ContactOrganization></ContactPersonPrimary>'
                  '<ContactElectronicMailAddress>bench@127.0.0.1</ContactElectronicMailAddress></ContactInformation>\n'
                  '<Fees>none</Fees><AccessConstraints>none</AccessConstraints></Service>\n'
                  '<Capability><Request><GetMap><Format>image/png</Format><Format>image/jpeg</Format>\n'
                  '<DCPType><HTTP><Get><OnlineResource xlink:type="simple" xlink:href="http://127.0.0.1/wms?"/>'
                  '</Get></HTTP></DCPType></GetMap></Request>\n'
                  '  <Layer>\n    <Title>All layers</Title>\n')
        for s in range(a.root_srs):
            out.write(f'    <{srs_tag}>EPSG:{2000 + s}</{srs_tag}>\n')
        for i in range(a.layers):
            if i % 50 == 0:
                if i:
                    out.write('    </Layer>\n')
                out.write(f'    <Layer><Title>Group {i // 50}</Title>\n')
            layer(out, i, v13, rnd)
        if a.layers:
            out.write('    </Layer>\n')
        out.write(f'  </Layer>\n</Capability>\n</{root}>\n')


if __name__ == '__main__':
    main()

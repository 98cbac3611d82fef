#!/usr/bin/env python3
# Independent figures for AirProcessesTest: chains of air-handling processes
# computed with the textbook formulas in plain double precision. The
# calculator's laws (saturation polynomial, dew-point fits, wet-bulb grid
# search) come from reference_values.py; everything else is solved here by
# bisection, apart from the program. Writes the test's table:
#   python3 process_reference.py > process_reference.tsv
# Each chain is a line "chain<TAB>.ixp text", then a line per state
#   state  name  t  phi  x[g/kg]  i  rho  tr  tm
# in the sheet's order (given states, then each process's end), and a line
# per process
#   process  name  from("A+B")  to  m[kg/s]  Q[kW]  W[kg/h]
import json
import math
from reference_values import ps, dew, wet, enth, rho

CW = 4.19  # kJ/(kg K), liquid water


def xsat(t, pb):
    s = ps(t)
    return 0.622 * s / (pb - s)


def bisect(f, lo, hi):
    # f(lo) < 0 <= f(hi)
    for _ in range(200):
        m = (lo + hi) / 2
        if f(m) < 0:
            lo = m
        else:
            hi = m
    return lo


def fog_enthalpy(t, x, pb):
    xs = xsat(t, pb)
    water = CW * t if t >= 0 else -335 + 2.09 * t
    return 1.005 * t + xs * (2501 + 1.84 * t) + (x - xs) * water


def air_from_x_i(x, i, pb):
    """(t, x, i, fog) of air holding x in all with enthalpy i."""
    t = (i - 2501 * x) / (1.005 + 1.84 * x)
    if x <= xsat(t, pb) * (1 + 1e-9):
        return t, x, i, False
    # fog: the temperature at which fog holding x has the enthalpy i
    hi = t
    while x > xsat(hi, pb):
        hi += 1
    return bisect(lambda tt: fog_enthalpy(tt, x, pb) - i, t, hi), x, i, True


def complete(name, t, x, i, fog, pb):
    vapour = xsat(t, pb) if fog else x
    phi = 100.0 if fog else 100 * x * pb / (0.622 * ps(t) + x * ps(t))
    pp = vapour * pb / (0.622 + vapour)
    return dict(name=name, t=t, phi=phi, x=x, i=i, rho=rho(t, vapour, pb), tr=dew(pp), tm=wet(i, pb), fog=fog)


def given(s, pb):
    keys = [k for k in ('t', 'phi', 'x', 'i') if k in s]
    t, phi, x, i = s.get('t'), s.get('phi'), s.get('x'), s.get('i')
    f = phi / 100 if phi is not None else None
    x = x / 1000 if x is not None else None
    fog = False
    if keys == ['t', 'phi']:
        x = 0.622 * f * ps(t) / (pb - f * ps(t))
        i = enth(t, x)
    elif keys == ['t', 'x']:
        if x > xsat(t, pb):
            i, fog = fog_enthalpy(t, x, pb), True
        else:
            i = enth(t, x)
    elif keys == ['t', 'i']:
        x = (i - 1.005 * t) / (2501 + 1.84 * t)
    elif keys == ['phi', 'x']:
        target = x * pb / (0.622 + x) / f
        t = bisect(lambda tt: ps(tt) - target, -26, 80)
        i = enth(t, x)
    elif keys == ['x', 'i']:
        t, x, i, fog = air_from_x_i(x, i, pb)
    else:  # phi, i
        t = bisect(lambda tt: enth(tt, 0.622 * f * ps(tt) / (pb - f * ps(tt))) - i, -26, 80)
        x = 0.622 * f * ps(t) / (pb - f * ps(t))
    st = complete(s['name'], t, x, i, fog, pb)
    flow = s.get('flow')
    if flow and 'm' in flow:
        st['m'] = flow['m']
    elif flow:
        st['m'] = flow['V'] * st['rho'] / (3600 * (1 + x))
    return st


def humidify(a, p, hw, pb):
    x1, i1 = a['x'], a['i']
    line = lambda x: i1 + (x - x1) * hw
    if 'x2' in p:
        return p['x2'] / 1000
    target = p['phi2']

    def short(x):
        t, _, _, fog = air_from_x_i(x, line(x), pb)
        if fog:
            return 1.0
        return 100 * x * pb / (0.622 * ps(t) + x * ps(t)) - target
    return bisect(short, x1, x1 + 0.05)


def process(p, states, pb):
    by = {s['name']: s for s in states}
    starts = [by[n] for n in (p['from'] if isinstance(p['from'], list) else [p['from']])]
    a = starts[0]
    m, Q, W = a['m'], 0.0, 0.0
    kind = p['type']
    if kind == 'mixing':
        b = starts[1]
        m = a['m'] + b['m']
        x = (a['m'] * a['x'] + b['m'] * b['x']) / m
        i = (a['m'] * a['i'] + b['m'] * b['i']) / m
        t, x, i, fog = air_from_x_i(x, i, pb)
        name = 'mieszanie'
    elif kind == 'heating':
        x = a['x']
        if 't2' in p:
            t = p['t2']
            i = enth(t, x)
            Q = m * (i - a['i'])
        else:
            Q = p['Q']
            i = a['i'] + Q / m
            t = (i - 2501 * x) / (1.005 + 1.84 * x)
        fog = False
        name = 'ogrzewanie' if Q >= 0 else 'chłodzenie suche'
    elif kind == 'cooling':
        adp, bf = p['adp'], p['bf']
        xa = xsat(adp, pb)
        if xa < a['x']:
            ia = enth(adp, xa)
            x = xa + bf * (a['x'] - xa)
            i = ia + bf * (a['i'] - ia)
            W = m * (x - a['x']) * 3600
            Q = m * (i - a['i']) + m * (a['x'] - x) * CW * adp
            t, x, i, fog = air_from_x_i(x, i, pb)
            name = 'chłodzenie z osuszaniem'
        else:
            x = a['x']
            t = adp + bf * (a['t'] - adp)
            i = enth(t, x)
            Q = m * (i - a['i'])
            fog = False
            name = 'chłodzenie suche'
    else:
        hw = 2501 + 1.84 * p.get('ts', 100) if kind == 'steam' else CW * p.get('tw', 15)
        x = humidify(a, p, hw, pb)
        i = a['i'] + (x - a['x']) * hw
        W = m * (x - a['x']) * 3600
        t, x, i, fog = air_from_x_i(x, i, pb)
        name = 'nawilżanie parą' if kind == 'steam' else 'nawilżanie wodą'
    end = complete(p['to'], t, x, i, fog, pb)
    end['m'] = m
    return end, dict(name=name, frm='+'.join(s['name'] for s in starts), to=p['to'], m=m, Q=Q, W=W)


CHAINS = [
    # Winter: outdoor air mixed with return air, heated, steam-humidified.
    {"format": "vimtal-ix", "version": 1, "pressure": 101325,
     "states": [{"name": "1", "t": -10, "phi": 80, "flow": {"m": 1.0}},
                {"name": "2", "t": 22, "phi": 45, "flow": {"V": 9000}}],
     "processes": [{"type": "mixing", "from": ["1", "2"], "to": "M"},
                   {"type": "heating", "from": "M", "t2": 32, "to": "3"},
                   {"type": "steam", "from": "3", "phi2": 40, "to": "4"}]},
    # Summer: cooling with dehumidification, then reheating by a power.
    {"format": "vimtal-ix", "version": 1, "pressure": 100000,
     "states": [{"name": "Z", "t": 32, "phi": 45, "flow": {"V": 12000}}],
     "processes": [{"type": "cooling", "from": "Z", "adp": 9, "bf": 0.12, "to": "C"},
                   {"type": "heating", "from": "C", "Q": 25, "to": "N"}]},
    # Spray humidification to a humidity ratio, then to a relative humidity.
    {"format": "vimtal-ix", "version": 1, "pressure": 98000,
     "states": [{"name": "A", "x": 4, "i": 45, "flow": {"m": 2.5}}],
     "processes": [{"type": "spray", "from": "A", "x2": 7, "tw": 12, "to": "B"},
                   {"type": "spray", "from": "B", "phi2": 85, "to": "C"}]},
    # Fog after mixing cold saturated air with warm humid air, then reheated
    # by a coil; a dry coil above the dew point; steam to x2 with hot steam.
    {"format": "vimtal-ix", "version": 1, "pressure": 101325,
     "states": [{"name": "Zew", "t": -15, "phi": 100, "flow": {"m": 1.2}},
                {"name": "Wyw", "t": 30, "x": 20, "flow": {"m": 1.0}}],
     "processes": [{"type": "mixing", "from": ["Zew", "Wyw"], "to": "Mgła"},
                   {"type": "heating", "from": "Mgła", "t2": 25, "to": "P"},
                   {"type": "cooling", "from": "P", "adp": 16, "bf": 0.3, "to": "S"},
                   {"type": "steam", "from": "S", "x2": 12, "ts": 140, "to": "K"}]},
    # Every way of giving a state, and a coil at the saturation of its
    # bypass-free end (BF = 0), and dry cooling by a negative power.
    {"format": "vimtal-ix", "version": 1, "pressure": 95000,
     "states": [{"name": "tφ", "t": 26, "phi": 60, "flow": {"m": 3}},
                {"name": "tx", "t": 18, "x": 6},
                {"name": "ti", "t": 5, "i": 15, "flow": {"V": 4000}},
                {"name": "xφ", "x": 9, "phi": 70},
                {"name": "xi", "x": 10, "i": 50, "flow": {"m": 0.8}},
                {"name": "iφ", "i": 30, "phi": 35}],
     "processes": [{"type": "cooling", "from": "tφ", "adp": 12, "bf": 0, "to": "C0"},
                   {"type": "heating", "from": "xi", "Q": -6, "to": "H"},
                   {"type": "mixing", "from": ["ti", "H"], "to": "M"},
                   {"type": "steam", "from": "M", "phi2": 100, "to": "S"}]},
]


def run(chain):
    pb = chain['pressure']
    states = [given(s, pb) for s in chain['states']]
    rows = []
    for p in chain.get('processes', []):
        end, row = process(p, states, pb)
        states.append(end)
        rows.append(row)
    return states, rows


if __name__ == '__main__':
    print('# chain/state/process lines, see the head of process_reference.py')
    for chain in CHAINS:
        states, rows = run(chain)
        print('chain\t' + json.dumps(chain, ensure_ascii=False))
        for s in states:
            print('\t'.join(['state', s['name']] +
                            ['%.10g' % v for v in (s['t'], s['phi'], 1000 * s['x'], s['i'], s['rho'], s['tr'], s['tm'])]))
        for r in rows:
            print('\t'.join(['process', r['name'], r['frm'], r['to']] + ['%.10g' % r[k] for k in ('m', 'Q', 'W')]))

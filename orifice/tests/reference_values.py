#!/usr/bin/env python3
# Independent figures for OrificeSizingTest: textbook formulas in plain double
# precision, the ratio found by bisection instead of stepping.
import math
def c(e): return ((1+0.707*math.sqrt(1-e))/e-1)**2
def size(dp, V, rho, D=None, A=None, B=None):
    if D is not None:
        Dh=D; w=V/3600*4/(math.pi*D*D)
    else:
        Dh=2*A*B/(A+B); w=V/(A*B*3600)
    k=1.055+0.125*math.cos(((w*Dh-0.3)/1.2-1)*math.pi)
    zeta=2*k*dp/(rho*w*w)
    if zeta<=0: eps=1.0
    else:
        lo,hi=1e-12,1.0
        for _ in range(200):
            m=(lo+hi)/2
            if c(m)>zeta: lo=m
            else: hi=m
        n=math.ceil(hi/1e-5-1e-9); eps=min(n*1e-5,1.0)
    out=dict(w=w,k=k,zeta=zeta,eps=eps,angle=math.degrees(math.acos(1-eps)))
    if D is not None: out['bore']=D*math.sqrt(eps)*1000
    else:
        F0=eps*A*B; r=A/B
        nb=math.ceil(math.sqrt(F0/r)/1e-4-1e-9); out['b']=nb*0.1; out['a']=nb*0.1*r
    return out
for args in [dict(dp=50,V=500,rho=1.2,D=0.2),dict(dp=50,V=500,rho=1.2,A=0.3,B=0.2),
             dict(dp=120,V=1200,rho=1.19,D=0.315),dict(dp=20,V=3000,rho=1.2,A=0.5,B=0.4),
             dict(dp=300,V=150,rho=1.21,D=0.1),dict(dp=5,V=8000,rho=1.18,A=1.0,B=0.5),
             dict(dp=80,V=200,rho=1.2,D=0.125),dict(dp=1000,V=400,rho=1.2,A=0.2,B=0.1),
             dict(dp=0,V=500,rho=1.2,D=0.2),dict(dp=-10,V=500,rho=1.2,A=0.3,B=0.2),
             dict(dp=50,V=36,rho=1.2,D=0.2),dict(dp=1e6,V=500,rho=1.2,D=0.2)]:
    print(args, {k:round(v,6) for k,v in size(**args).items()})
